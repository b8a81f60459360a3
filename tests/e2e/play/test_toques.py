"""Short presses, down and up between two frames (xdotool's own key and
click), each act once: clicks open the pages and the level, thirteen arrow
taps solve level 1 (one lost or doubled and it stays unsolved), Enter leaves
the panel and Escape the screens."""

import time
import unittest

from zepko_e2e import Game

from test_fase import SOLUTION_1, in_level, level_complete, telas

ARROWS = {"C": "Up", "B": "Down", "E": "Left", "D": "Right"}


class Toques(unittest.TestCase):
    def test_short_presses_and_clicks_act_once(self):
        with Game(save=b"\x01\0\0\0") as g:
            g.wait_window()
            telas.wait_title(g)
            g.quick_click(*telas.PLAY)
            telas.wait_first_page(g)
            g.quick_click(*telas.LEVEL_1)
            g.wait_for("level 1", lambda: in_level(g.screenshot()))
            for letter in SOLUTION_1:
                g.quick_key(ARROWS[letter])
                time.sleep(0.12)  # past the move's pause, which drops presses
            g.wait_for("the level-complete panel", lambda: level_complete(g.screenshot()))
            self.assertEqual(g.read_bytes("save.bin"), b"\x02\0\0\0")
            g.quick_key("Return")
            telas.wait_first_page(g)
            g.quick_key("Escape")
            telas.wait_title(g)
            g.quick_key("Escape")
            self.assertEqual(g.wait_exit().status, 0)


if __name__ == "__main__":
    unittest.main()
