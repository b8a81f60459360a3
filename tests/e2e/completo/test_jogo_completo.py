"""The whole game from an empty folder, as a player goes through it: every
level solved with real arrow keys, the progress file, padlocks, the locked
bonus message and the level-complete panels checked on the way."""

import time
import unittest

from zepko_e2e import Game, read_config
import jogador
from jogador import LEVEL_POINT, PLAY, ARROW_NEXT, ARROW_BACK, VALUE, Player
from telas import BONUS_MESSAGE

# Level-complete panel: the boxes (x, y, w, h) its numbers stand in.
STEPS_BOX = (390, 320, 150, 36)
PUSHES_BOX = (470, 380, 150, 36)
CLOCK_BOX = (390, 260, 230, 36)


def two_digits(n):
    return str(n) if n > 9 else f"0{n} "


class JogoCompleto(unittest.TestCase):
    def setUp(self):
        self.solutions = jogador.solutions()
        self.assertEqual(sorted(self.solutions), list(range(1, 11)))

    def save_value(self, g):
        data = g.read_bytes("save.bin")
        self.assertEqual(len(data), 4, data)
        return int.from_bytes(data, "little", signed=True)

    def check_panel(self, p, steps, pushes, seconds_played):
        font = p.g.path("fonts/cooperblack22.pcx")
        for value, box in ((steps, STEPS_BOX), (pushes, PUSHES_BOX)):
            want, = jogador.text_masks(font, VALUE, box[2:], [[(0, str(value))]])
            got = p.color_mask(box, VALUE)
            self.assertIn(1, want)
            self.assertEqual(got, want, f"the panel does not show {value} at {box[:2]}")
        # The clock: exactly one reading of minutes and seconds matches the
        # panel, and it is no longer than the level took.
        readings = [(m, s) for m in range(0, seconds_played // 60 + 2) for s in range(60)]
        masks = jogador.text_masks(font, VALUE, CLOCK_BOX[2:],
                                   [[(0, two_digits(m)), (25, " : "), (53, two_digits(s))]
                                    for m, s in readings])
        got = p.color_mask(CLOCK_BOX, VALUE)
        shown = [r for r, mask in zip(readings, masks) if mask == got]
        self.assertEqual(len(shown), 1, "the panel's clock matches no reading")
        m, s = shown[0]
        self.assertLessEqual(60 * m + s, seconds_played + 1)

    def play_level(self, g, p, k):
        steps, pushes, arrows = self.solutions[k]
        self.assertEqual(len(arrows), steps)
        g.click(*LEVEL_POINT[k])
        p.wait_level()
        began = time.monotonic()
        p.play(arrows)
        p.wait_complete()
        time.sleep(0.2)
        self.check_panel(p, steps, pushes, int(time.monotonic() - began) + 1)
        self.assertIsNone(g.find_message())
        g.tap("Return")
        g.wait_for("the level-complete panel to close", lambda: not p.complete_panel())

    def test_every_level_from_an_empty_folder(self):
        with Game(config="", remove=["save.bin"]) as g:
            p = Player(g)
            g.wait_window()
            self.assertEqual(g.wait_for("save.bin", lambda: g.exists("save.bin") and
                                        g.read_bytes("save.bin")), b"\x01\x00\x00\x00")
            g.click(*PLAY)
            jogador.expect_padlocks(g, p, 1, 1)

            for k in range(1, 9):
                self.play_level(g, p, k)
                self.assertEqual(self.save_value(g), k + 1)
                jogador.expect_padlocks(g, p, 1, k + 1)
                if k == 7:
                    # Level 9 still locked on the second page, and a click on it does nothing.
                    g.click(*ARROW_NEXT)
                    jogador.expect_padlocks(g, p, 2, 8)
                    g.click(*LEVEL_POINT[9])
                    time.sleep(0.5)
                    self.assertFalse(p.in_level())
                    g.click(*ARROW_BACK)
                    time.sleep(0.3)

            g.click(*ARROW_NEXT)
            jogador.expect_padlocks(g, p, 2, 9)
            # The bonus level is still locked: the message, and no level.
            g.click(*LEVEL_POINT[10])
            box = g.wait_message()
            self.assertEqual(box.text, BONUS_MESSAGE)
            box.dismiss()
            g.wait_for("the message box to go", lambda: g.find_message() is None)
            self.assertFalse(p.in_level())

            self.play_level(g, p, 9)
            self.assertEqual(self.save_value(g), 10)
            jogador.expect_padlocks(g, p, 2, 10)

            self.play_level(g, p, 10)
            self.assertEqual(self.save_value(g), 11)

            res = g.close_and_wait()
            self.assertEqual(res.status, 0, res.stderr)
            self.assertEqual(self.save_value(g), 11)
            ini = read_config(g.read_text("config.txt"))["Inicializacao"]
            self.assertEqual(ini, {"volume": "128", "vsync": "0"})


if __name__ == "__main__":
    unittest.main()
