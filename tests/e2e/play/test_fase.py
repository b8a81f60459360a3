"""Playing a level with real X input: solving level 1 from a fresh save,
closing the window on the level-complete panel (it takes effect after Enter),
and leaving level 2 with Escape."""

import time
import unittest

from zepko_e2e import Game, e2e_folders, progress

e2e_folders("menus", "completo")
import telas  # noqa: E402  (the menu screens' probes)
from telas import WHITE, in_level  # noqa: E402
from jogador import Player, stored_solutions  # noqa: E402  (arrow presses that wait for each step)

LEVEL_2 = (270, 140)

# A solution of level 1, one key press a letter: C up, B down, E left, D right.
SOLUTION_1 = stored_solutions()[1][2]


def level_complete(shot):
    # The grown panel: white edge at (170, 70)-(630, 530), greys beside it.
    return (shot.pixel(170, 300) == WHITE and shot.pixel(169, 300) == (200, 200, 200)
            and shot.pixel(168, 300) == (150, 150, 150) and shot.pixel(630, 530) == WHITE)


def type_keys(g, letters):
    Player(g).play(letters)


def wait_panel(g):
    g.wait_for("the level-complete panel", lambda: level_complete(g.screenshot()))


class Fase(unittest.TestCase):
    def test_solving_level_1_opens_level_2(self):
        with Game(remove=["save.bin"]) as g:
            g.wait_window()
            telas.open_first_page(g)
            self.assertEqual(g.read_bytes("save.bin"), progress(1))
            g.click(*telas.LEVEL_1)
            g.wait_for("level 1", lambda: in_level(g.screenshot()))
            type_keys(g, SOLUTION_1)
            wait_panel(g)
            self.assertEqual(g.read_bytes("save.bin"), progress(2))
            # Escape does not end the wait: only Enter does.
            g.tap("Escape")
            time.sleep(0.3)
            self.assertTrue(level_complete(g.screenshot()))
            g.tap("Return")
            telas.wait_first_page(g)
            self.assertTrue(g.running())
            self.assertEqual(g.read_bytes("save.bin"), progress(2))

    def test_closing_the_window_on_the_panel_ends_the_game_after_enter(self):
        with Game(save=progress(1)) as g:
            g.wait_window()
            telas.enter_level(g)
            type_keys(g, SOLUTION_1)
            wait_panel(g)
            g.close_window()
            time.sleep(0.5)
            self.assertTrue(g.running())
            self.assertTrue(level_complete(g.screenshot()))
            g.tap("Return")
            self.assertEqual(g.wait_exit().status, 0)
            self.assertEqual(g.read_bytes("save.bin"), progress(2))

    def test_escape_in_the_middle_of_level_2_keeps_the_progress(self):
        with Game(save=progress(2)) as g:
            g.wait_window()
            telas.enter_level(g, LEVEL_2, "level 2")
            type_keys(g, "DD")
            before = g.screenshot()
            g.tap("Escape")
            telas.wait_first_page(g)
            self.assertFalse(level_complete(before))
            self.assertTrue(g.running())
            self.assertEqual(g.read_bytes("save.bin"), progress(2))


if __name__ == "__main__":
    unittest.main()
