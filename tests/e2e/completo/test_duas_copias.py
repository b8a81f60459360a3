"""Two copies of the game started in one folder, as a player who starts it
twice: the progress one of them saved is never lowered by the other."""

import tempfile
import unittest

from zepko_e2e import Game, progress
from jogador import Level1, solutions
from telas import wait_title


class SecondCopy(Game):
    """Runs in the folder of a copy already started (on an X server of its own)."""

    def __init__(self, first):
        super().__init__()
        self.first = first

    def _lay_out(self):
        self.dir = tempfile.mkdtemp(prefix="zepko-e2e-")
        self.game_dir = self.first.game_dir


class TwoCopies(unittest.TestCase):
    def test_clearing_an_old_level_keeps_what_the_other_copy_opened(self):
        arrows = {k: solutions()[k][2] for k in (1, 5)}
        with Game(save=progress(5)) as a, SecondCopy(a) as b:
            players = {}
            for g, level in ((a, 5), (b, 1)):
                g.wait_window()
                wait_title(g)
                players[g] = Level1(g)
                players[g].enter(level)
            players[a].solve(arrows[5])
            self.assertEqual(a.read_bytes("save.bin"), progress(6))
            players[b].solve(arrows[1])
            self.assertEqual(b.read_bytes("save.bin"), progress(6))
            for g in (a, b):
                self.assertEqual(g.close_and_wait().status, 0)


if __name__ == "__main__":
    unittest.main()
