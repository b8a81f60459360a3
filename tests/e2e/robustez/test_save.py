"""save.bin of every length and of values outside 1 to 11: the value is used
as it is (seen in the padlocks and in what clearing level 1 writes back,
where a value below 1 counts as 1), short files leave it at 1 and stay
untouched until a level is cleared."""

import unittest

from zepko_e2e import Game, progress
import jogador
from jogador import PLAY, Level1

VALUES = (-5, 0, 11, 2147483647)
TAIL = b"\xaa\x55"


class Save(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.arrows = jogador.solutions()[1][2]

    def play_level_1(self, data, value_seen):
        """Starts with save.bin = data, checks the padlocks that `value_seen`
        gives, clears level 1 and returns save.bin's bytes afterwards."""
        with Game(save=data) as g:
            lv = Level1(g)
            g.wait_window()
            self.assertEqual(g.read_bytes("save.bin"), data, "save.bin changed at start")
            g.click(*PLAY)
            lv.first_page()
            jogador.expect_padlocks(g, lv.p, 1, value_seen)
            lv.open_level(1)
            lv.solve(self.arrows)
            after = g.read_bytes("save.bin")
            res = g.close_and_wait()
            self.assertEqual(res.status, 0, res.stderr)
            return after

    def test_short_files_count_as_level_1(self):
        for n in range(4):
            with self.subTest(bytes=n):
                after = self.play_level_1(progress(-5)[:n], 1)
                self.assertEqual(after, progress(2))

    def test_values_are_used_unchanged(self):
        for v in VALUES:
            for tail in (b"", TAIL):
                with self.subTest(value=v, length=4 + len(tail)):
                    # Clearing level 1 raises a value of 1 or below to 2;
                    # a higher one is written back as it was, and bytes
                    # past the fourth stay.
                    after = self.play_level_1(progress(v) + tail, v)
                    self.assertEqual(after, progress(2 if v < 1 else v) + tail)


if __name__ == "__main__":
    unittest.main()
