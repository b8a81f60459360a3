"""The Windows zip under Wine: unpacked in a fresh folder, started, played."""

import os
import shutil
import tempfile
import time
import unittest

from zepko_e2e import Game, read_config
from wine_game import WineGame, unpack_zip
from jogador import PARK, Level1, stored_solutions
from telas import NEW_GAME, PLAY, WHITE, YES, open_first_page, wait_first_page, wait_title

CREDIT_TOP = 580      # the gliding credit line runs below this row
CURSOR = 40           # the mouse cursor lies within this square from the pointer
QUIT = (392, 480)     # "Sair" on the title screen


def title_shot(game):
    game.wait_window()
    wait_title(game)
    game.move(*PARK)
    time.sleep(0.5)
    return game.screenshot()


class StartedElsewhere(WineGame):
    """Started in the folder above the game's, as a shortcut with no "Start
    in" folder or a command prompt starts it."""

    def start_folder(self):
        return self.dir


class Windows(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp, cls.run_dir = unpack_zip("zepko-zip-")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def test_title_screen_as_on_linux(self):
        with Game(run_dir=os.environ["ZEPKO_LINUX_RUN_DIR"]) as g:
            linux = title_shot(g)
        with StartedElsewhere(run_dir=self.run_dir) as g:
            windows = title_shot(g)
        self.assertEqual((windows.width, windows.height), (800, 600))
        differ = [(x, y) for y in range(CREDIT_TOP) for x in range(800)
                  if not (x >= PARK[0] - CURSOR and y <= PARK[1] + CURSOR)
                  and windows.pixel(x, y) != linux.pixel(x, y)]
        self.assertEqual(differ[:10], [], f"{len(differ)} pixels differ")

    def test_level_one_then_close_button(self):
        with open(os.path.join(self.run_dir, "config.txt"), "rb") as f:
            shipped = f.read().decode("latin-1")
        # Without its vsync line: the library's write-back at exit adds it.
        config = "".join(l for l in shipped.splitlines(True) if not l.startswith("vsync"))
        with WineGame(run_dir=self.run_dir, config=config) as g:
            g.wait_window()
            wait_title(g)
            g.quick_click(*PLAY)  # down and up a few ms apart, as a quick player clicks
            level = Level1(g)
            level.first_page()
            level.open_level(1)
            level.solve(stored_solutions()[1][2])
            self.assertEqual(g.read_bytes("save.bin"), b"\x02\x00\x00\x00")
            g.close_window()
            self.assertEqual(g.wait_exit().status, 0)
            self.assertEqual(read_config(g.read_text("config.txt"))["Inicializacao"]["vsync"], "0")

    def test_quit_on_title_screen(self):
        with WineGame(run_dir=self.run_dir) as g:
            g.wait_window()
            wait_title(g)
            g.click(*QUIT)
            self.assertEqual(g.wait_exit().status, 0)

    def test_no_sound_device(self):
        # Wine's audio drivers turned off: a machine without any sound device.
        class Silent(WineGame):
            def environment(self):
                env = super().environment()
                env["WINEDLLOVERRIDES"] += ";winealsa.drv,winepulse.drv=d"
                return env

        with Silent(run_dir=self.run_dir) as g:
            g.wait_window()  # titled only after the sound start-up
            wait_title(g)
            self.assertIsNone(g.find_message())

    def test_unusable_save_file_told_once(self):
        # A folder named save.bin: the start and every later save fail.
        run_dir = os.path.join(self.tmp, "save-folder")
        shutil.copytree(self.run_dir, run_dir)
        os.mkdir(os.path.join(run_dir, "save.bin"))
        with WineGame(run_dir=run_dir) as g:
            box = g.wait_message()
            self.assertIn("save.bin", box.text)
            box.dismiss()
            g.wait_window()
            open_first_page(g)
            g.click(*NEW_GAME)
            g.move(600, 500)  # off the buttons: the divider's white line shows the box
            g.wait_for("the new-game box",
                       lambda: all(g.screenshot().pixel(x, 310) == WHITE for x in (270, 530)))
            g.click(*YES)  # saves again
            wait_first_page(g)  # a message box would hold the game before this
            self.assertIsNone(g.find_message())

    def test_unsupported_colour_depth(self):
        with WineGame(run_dir=self.run_dir, config="[Inicializacao]\ncolordepth = 13\n") as g:
            box = g.wait_message()
            self.assertTrue(box.text.strip(), "the box shows the library's error text")
            box.dismiss()
            self.assertEqual(g.wait_exit().status, 255)

    def test_crash_ends_the_run(self):
        # With Wine's debugger left on, a crash would wait in its dialog.
        run_dir = tempfile.mkdtemp(dir=self.tmp)
        shutil.copy(os.environ["ZEPKO_CRASH"], run_dir)

        class Crash(WineGame):
            PROGRAM = os.path.basename(os.environ["ZEPKO_CRASH"])

        with Crash(run_dir=run_dir) as g:
            self.assertEqual(g.wait_exit().status, 0xC0000005 & 0xFF)  # access violation


if __name__ == "__main__":
    unittest.main()
