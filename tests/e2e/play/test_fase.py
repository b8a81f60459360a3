"""Playing a level with real X input: solving level 1 from a fresh save,
closing the window on the level-complete panel (it takes effect after Enter),
and leaving level 2 with Escape."""

import os
import sys
import time
import unittest

from zepko_e2e import Game

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "menus"))
sys.path.insert(0, os.path.join(HERE, "..", "completo"))
import telas  # noqa: E402  (the menu screens' probes)
from jogador import Player, stored_solutions  # noqa: E402  (arrow presses that wait for each step)

PANEL = (50, 50, 50)
WHITE = (255, 255, 255)
LEVEL_2 = (270, 140)

# A solution of level 1, one key press a letter: C up, B down, E left, D right.
SOLUTION_1 = stored_solutions()[1][2]


def in_level(shot):
    # The status panel is level play's own.
    return shot.pixel(700, 545) == PANEL and shot.pixel(40, 440) == (150, 150, 150)


def level_complete(shot):
    # The grown panel: white edge at (170, 70)-(630, 530), greys beside it.
    return (shot.pixel(170, 300) == WHITE and shot.pixel(169, 300) == (200, 200, 200)
            and shot.pixel(168, 300) == (150, 150, 150) and shot.pixel(630, 530) == WHITE)


def type_keys(g, letters):
    Player(g).play(letters)


class Fase(unittest.TestCase):
    def test_solving_level_1_opens_level_2(self):
        with Game(remove=["save.bin"]) as g:
            g.wait_window()
            telas.open_first_page(g)
            self.assertEqual(g.read_bytes("save.bin"), b"\x01\x00\x00\x00")
            g.click(*telas.LEVEL_1)
            g.wait_for("level 1", lambda: in_level(g.screenshot()))
            type_keys(g, SOLUTION_1)
            g.wait_for("the level-complete panel", lambda: level_complete(g.screenshot()))
            self.assertEqual(g.read_bytes("save.bin"), b"\x02\x00\x00\x00")
            # Escape does not end the wait: only Enter does.
            g.tap("Escape")
            time.sleep(0.3)
            self.assertTrue(level_complete(g.screenshot()))
            g.tap("Return")
            telas.wait_first_page(g)
            self.assertTrue(g.running())
            self.assertEqual(g.read_bytes("save.bin"), b"\x02\x00\x00\x00")

    def test_closing_the_window_on_the_panel_ends_the_game_after_enter(self):
        with Game(save=b"\x01\x00\x00\x00") as g:
            g.wait_window()
            telas.open_first_page(g)
            g.click(*telas.LEVEL_1)
            g.wait_for("level 1", lambda: in_level(g.screenshot()))
            type_keys(g, SOLUTION_1)
            g.wait_for("the level-complete panel", lambda: level_complete(g.screenshot()))
            g.close_window()
            time.sleep(0.5)
            self.assertTrue(g.running())
            self.assertTrue(level_complete(g.screenshot()))
            g.tap("Return")
            self.assertEqual(g.wait_exit().status, 0)
            self.assertEqual(g.read_bytes("save.bin"), b"\x02\x00\x00\x00")

    def test_escape_in_the_middle_of_level_2_keeps_the_progress(self):
        with Game(save=b"\x02\x00\x00\x00") as g:
            g.wait_window()
            telas.open_first_page(g)
            g.click(*LEVEL_2)
            g.wait_for("level 2", lambda: in_level(g.screenshot()))
            type_keys(g, "DD")
            before = g.screenshot()
            g.tap("Escape")
            telas.wait_first_page(g)
            self.assertFalse(level_complete(before))
            self.assertTrue(g.running())
            self.assertEqual(g.read_bytes("save.bin"), b"\x02\x00\x00\x00")


if __name__ == "__main__":
    unittest.main()
