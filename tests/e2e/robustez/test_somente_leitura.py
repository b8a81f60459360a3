"""A game folder the game cannot write: it runs, keeps its progress in
memory for the rest of the run and exits cleanly."""

import os
import unittest

from zepko_e2e import AS_NOBODY, ASOUNDRC, Game, environ
import jogador
from jogador import PLAY, Level1


class GameInReadOnlyFolder(Game):
    """The game in a folder it cannot write. Root's writes are never refused,
    so root runs it as nobody in root's copy; anyone else runs it in their
    own copy made read-only."""

    def start(self):
        if os.geteuid() != 0:
            os.chmod(self.path("config.txt"), 0o444)
            os.chmod(self.game_dir, 0o555)
            super().start()
            return
        os.chmod(self.dir, 0o755)
        home = os.path.join(self.dir, "home")
        os.mkdir(home)
        with open(os.path.join(home, ".asoundrc"), "w") as f:
            f.write(ASOUNDRC % "/dev/null")
        self._spawn(AS_NOBODY + [os.path.join(self.game_dir, "zepko")], self.game_dir,
                    environ({"DISPLAY": self.display_name, "HOME": home}))

    def close(self):
        # The owner's copy is removed like any other.
        if os.geteuid() != 0 and os.path.isdir(getattr(self, "game_dir", "")):
            os.chmod(self.game_dir, 0o755)
        super().close()


class SomenteLeitura(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.arrows = jogador.solutions()[1][2]

    def clear_level_1_in_memory(self, g):
        lv = Level1(g)
        g.wait_window()
        g.click(*PLAY)
        lv.first_page()
        jogador.expect_padlocks(g, lv.p, 1, 1)
        lv.open_level(1)
        lv.solve(self.arrows)
        # Level 2 is open for the rest of the run.
        jogador.expect_padlocks(g, lv.p, 1, 2)
        config = g.read_bytes("config.txt")
        res = g.close_and_wait()
        self.assertEqual(res.status, 0, res.stderr)
        return res, config

    def test_folder_without_write_access(self):
        with GameInReadOnlyFolder(remove=["save.bin"]) as g:
            res, config = self.clear_level_1_in_memory(g)
            self.assertFalse(g.exists("save.bin"))
            self.assertIn("save.bin", res.stderr)
            self.assertEqual(g.read_bytes("config.txt"), config)

    def test_save_file_that_is_a_folder(self):
        with Game(remove=["save.bin"]) as g:
            os.mkdir(g.path("save.bin"))
            res, _ = self.clear_level_1_in_memory(g)
            self.assertTrue(os.path.isdir(g.path("save.bin")))
            self.assertIn("save.bin", res.stderr)


if __name__ == "__main__":
    unittest.main()
