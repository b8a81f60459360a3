"""Pictures, fonts and tracks taken away: the game still starts, every
screen opens, level 1 is played to its end and the bonus level entered, the
program exits cleanly, and stderr names each missing file."""

import glob
import os
import time
import unittest

from zepko_e2e import Game, progress
import jogador
from jogador import ARROW_NEXT, LEVEL_POINT, Level1

RUN_DIR = os.environ.get("ZEPKO_RUN_DIR", "")


def files(*patterns):
    found = []
    for p in patterns:
        found += sorted(os.path.relpath(f, RUN_DIR) for f in glob.glob(os.path.join(RUN_DIR, p)))
    return found


# Grouped by the screen that loads them, so each run takes away what one
# screen needs, and a last run takes away everything at once.
MENUS = [f for f in files("img/*.bmp", "img/cadeado.gif") if f != "img/parabens.bmp"]
LEVEL = files("img/mapa/*", "img/*.gif")
LEVEL.remove("img/cadeado.gif")
TEXT = files("fonts/*.pcx") + ["img/parabens.bmp"]
MUSIC = files("mid/*.mid")
GROUPS = {"menus": MENUS, "level": LEVEL, "text": TEXT, "music": MUSIC,
          "everything": MENUS + LEVEL + TEXT + MUSIC}


class ArquivosAusentes(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.arrows = jogador.solutions()[1][2]

    def run_without(self, missing):
        counters = not any(f.startswith("fonts/") for f in missing)
        # All levels open, so the bonus level's own pictures are loaded too.
        with Game(save=progress(11), remove=missing) as g:
            for f in missing:
                self.assertFalse(g.exists(f))
            lv = Level1(g)
            g.wait_window()
            time.sleep(0.5)
            lv.enter(1)
            lv.solve(self.arrows, counters=counters)
            self.assertEqual(g.read_bytes("save.bin"), progress(11))
            g.click(*ARROW_NEXT)
            time.sleep(0.5)
            g.click(*LEVEL_POINT[10])
            lv.p.wait_level()
            self.assertIsNone(g.find_message())
            g.tap("Escape")
            g.wait_for("the bonus level to close", lambda: not lv.p.in_level())
            res = g.close_and_wait()
            self.assertEqual(res.status, 0, res.stderr)
            for f in missing:
                self.assertIn(f, res.stderr, f"stderr does not name {f}")
            print(f"{len(missing)} files missing: exit 0, each named on stderr", flush=True)

    def test_groups(self):
        for name, missing in GROUPS.items():
            with self.subTest(name):
                self.assertTrue(missing, f"the run folder has no {name} files")
                self.run_without(missing)


if __name__ == "__main__":
    unittest.main()
