"""The X server dying under the game: on the title screen, in a level and on
the level-complete panel the game ends with one line and its own exit
status, no crash, and save.bin and config.txt left whole."""

import unittest

from zepko_e2e import Game, progress

import test_fase
from test_fase import telas, type_keys, wait_panel

CONFIG = "[Inicializacao]\nvolume = 77\nvsync = 0\n[sound]\npatches = patches/zepko.cfg\n"
LINE = "zepko: the display went away (lost the connection to the X server)\n"


def title(g):
    telas.wait_title(g)


def level(g):
    telas.enter_level(g)
    type_keys(g, test_fase.SOLUTION_1[:3])


def panel(g):
    level(g)
    type_keys(g, test_fase.SOLUTION_1[3:])
    wait_panel(g)


class SemTela(unittest.TestCase):
    def test_losing_the_display_ends_the_game_cleanly_on_every_screen(self):
        for where, save in ((title, progress(1)), (level, progress(1)), (panel, progress(2))):
            with self.subTest(where.__name__), Game(config=CONFIG, save=progress(1)) as g:
                g.wait_window()
                where(g)
                g.lose_display()
                res = g.wait_exit()
                self.assertEqual(res.status, 129)  # not -11: no crash
                # ALSA speaks for itself as the MIDI driver looks for a card.
                ours = [l for l in res.stderr.splitlines(True) if not l.startswith("ALSA lib ")]
                self.assertEqual(ours, [LINE])
                self.assertEqual(g.read_bytes("save.bin"), save)
                # No shutdown ran: the settings stay as they were.
                self.assertEqual(g.read_text("config.txt"), CONFIG)


if __name__ == "__main__":
    unittest.main()
