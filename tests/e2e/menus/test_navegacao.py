"""Moving between the menu screens with real X input: Escape, the window's
close button, and the press that opens the first page."""

import time
import unittest

from zepko_e2e import Game, progress, read_config
import telas


class Escape(unittest.TestCase):
    def test_escape_steps_back_one_screen_at_a_time(self):
        with Game() as g:
            g.wait_window()
            telas.open_second_page(g)
            g.tap("Escape")
            telas.wait_first_page(g)
            g.tap("Escape")
            telas.wait_title(g)
            self.assertTrue(g.running())
            self.assertEqual(telas.quit_from_title(g).status, 0)

    def test_back_arrow_returns_to_the_first_page(self):
        with Game() as g:
            g.wait_window()
            telas.open_second_page(g)
            g.click(*telas.ARROW_BACK)
            telas.wait_first_page(g)
            self.assertEqual(telas.quit_from_first_page(g).status, 0)


class Closing(unittest.TestCase):
    def test_close_button_inside_a_level_ends_every_screen(self):
        config = "[Inicializacao]\ncolordepth = 32\nupdatemethod = 1\n"
        with Game(config=config, save=progress(1)) as g:
            g.wait_window()
            telas.open_first_page(g)
            g.click(*telas.LEVEL_1)
            # Level play has taken over: hovering level 1 frames nothing.
            g.wait_for("level 1", lambda: not telas.on_first_page(g))
            self.assertEqual(g.close_and_wait().status, 0)
            settings = read_config(g.read_text("config.txt"))["Inicializacao"]
            self.assertEqual((settings["volume"], settings["vsync"]), ("128", "0"))


class OpeningPress(unittest.TestCase):
    def test_press_on_play_moved_while_held_starts_no_level(self):
        # Every level open: the play button lies over levels 6 and 7 of the
        # next page. Corners of the level frame under each press point.
        points = {(350, 370): [(178, 270), (368, 270), (178, 420), (368, 420)],
                  (400, 370): [(385, 270), (530, 270), (385, 420), (530, 420)]}
        with Game(save=progress(10)) as g:
            g.wait_window()
            for point, frame in points.items():
                with self.subTest(point=point):
                    telas.wait_title(g)
                    # Pressed for many frames, moved 2 px and released.
                    g.drag(point, (point[0] + 2, point[1]), hold=0.3)
                    time.sleep(0.5)
                    # Still on the first page: the level's frame is lit under the pointer.
                    shot = g.screenshot()
                    self.assertTrue(all(shot.pixel(x, y) == telas.WHITE for x, y in frame))
                    telas.wait_first_page(g)
                    g.tap("Escape")
            self.assertEqual(telas.quit_from_title(g).status, 0)


if __name__ == "__main__":
    unittest.main()
