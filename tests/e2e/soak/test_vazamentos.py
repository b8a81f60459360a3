"""A scripted session of the sanitizer build, checked by LeakSanitizer at its
end: title, level 1 solved, back to the title, level 1 again left half way,
a new game confirmed, and the exit button."""

import time
import unittest

from zepko_e2e import progress
import jogador
from jogador import Level1
import sanitizado
from telas import NEW_GAME, YES

EXIT_BUTTON = (392, 480)


class Vazamentos(unittest.TestCase):
    def test_session_leaks_nothing(self):
        sanitizado.sanitizer_options()
        arrows = jogador.solutions()[1][2]
        with sanitizado.SanitizedGame(save=progress(1)) as g:
            lv = Level1(g)
            g.wait_window()
            g.wait_for("the title screen", lv.p.on_title)
            lv.enter(1)
            lv.solve(arrows)
            self.assertEqual(g.read_bytes("save.bin"), progress(2))
            g.tap("Escape")
            g.wait_for("the title screen", lv.p.on_title)
            lv.enter(1)
            lv.p.play(arrows[:5])
            g.tap("Escape")
            g.wait_for("the level to close", lambda: not lv.p.in_level())
            g.click(*NEW_GAME)
            time.sleep(0.5)
            g.click(*YES)
            g.wait_for("the new game", lambda: g.read_bytes("save.bin") == progress(1))
            g.tap("Escape")
            g.wait_for("the title screen", lv.p.on_title)
            g.click(*EXIT_BUTTON)
            res = g.wait_exit(120)
            self.assertEqual(sanitizado.reports(res.stderr), [], res.stderr)
            self.assertEqual(res.status, 0, res.stderr)


if __name__ == "__main__":
    unittest.main()
