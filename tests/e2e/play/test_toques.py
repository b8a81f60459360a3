"""Short presses, down and up between two frames (xdotool's own key and
click), each act once: clicks open the pages and the level, thirteen arrow
taps solve level 1 (one lost or doubled and it stays unsolved), Enter leaves
the panel and Escape the screens."""

import time
import unittest

from zepko_e2e import Game, progress

from test_fase import SOLUTION_1, telas, wait_panel
from jogador import ARROWS


class Toques(unittest.TestCase):
    def test_short_presses_and_clicks_act_once(self):
        with Game(save=progress(1)) as g:
            g.wait_window()
            telas.enter_level(g, click=g.quick_click)
            for letter in SOLUTION_1:
                g.quick_key(ARROWS[letter])
                time.sleep(0.12)  # past the move's pause, which drops presses
            wait_panel(g)
            self.assertEqual(g.read_bytes("save.bin"), progress(2))
            g.quick_key("Return")
            telas.wait_first_page(g)
            self.assertEqual(telas.quit_from_first_page(g, g.quick_key).status, 0)


if __name__ == "__main__":
    unittest.main()
