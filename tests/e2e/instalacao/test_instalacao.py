"""The installed game: `cmake --install` into a temporary prefix, the
launcher started with a temporary HOME, a level entered and left, and the
player's files found in the per-user folder, never under the prefix."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

from zepko_e2e import InstalledGame, read_config

sys.path.insert(0, os.environ["ZEPKO_MENUS_E2E"])
import telas  # noqa: E402  (probes of the menu screens)

PANEL = (50, 50, 50)


def in_level(shot):
    return shot.pixel(700, 545) == PANEL and shot.pixel(40, 440) == (150, 150, 150)


def snapshot(root):
    """Every path under `root` with its size and modification time."""
    found = {}
    for d, dirs, files in os.walk(root):
        for name in dirs + files:
            p = os.path.join(d, name)
            st = os.lstat(p)
            found[os.path.relpath(p, root)] = (st.st_size, st.st_mtime_ns)
    return found


class Instalacao(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.root = tempfile.mkdtemp(prefix="zepko-install-")
        cls.prefix = os.path.join(cls.root, "prefix")
        subprocess.run(["cmake", "--install", os.environ["ZEPKO_BUILD_DIR"], "--prefix", cls.prefix],
                       check=True, stdout=subprocess.DEVNULL)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root, ignore_errors=True)

    def play_into_level_1_and_quit(self, home):
        with InstalledGame(os.path.join(self.prefix, "bin", "zepko"), home) as g:
            g.wait_window()
            telas.open_first_page(g)
            g.click(*telas.LEVEL_1)
            g.wait_for("level 1", lambda: in_level(g.screenshot()))
            self.assertEqual(telas.back_out_and_quit(g).status, 0)
            return g.read_bytes("save.bin"), read_config(g.read_text("config.txt"))

    def test_layout_of_the_prefix(self):
        for rel in ("bin/zepko", "libexec/zepko/zepko", "share/zepko/config.txt",
                    "share/zepko/img/ZepkoLogo.bmp", "share/zepko/img/mapa/box.bmp",
                    "share/zepko/fonts/arial14.pcx", "share/zepko/mid/01.mid",
                    "share/applications/zepko.desktop",
                    "share/icons/hicolor/64x64/apps/zepko.png"):
            self.assertTrue(os.path.exists(os.path.join(self.prefix, rel)), rel)
        self.assertTrue(os.access(os.path.join(self.prefix, "bin", "zepko"), os.X_OK))
        with open(os.path.join(self.prefix, "share/applications/zepko.desktop")) as f:
            desktop = f.read()
        self.assertIn("Exec=zepko", desktop)
        self.assertIn("Icon=zepko", desktop)

    def test_each_player_keeps_own_files_and_the_prefix_stays_untouched(self):
        before = snapshot(self.prefix)
        home_a = os.path.join(self.root, "ana")
        home_b = os.path.join(self.root, "bruno")
        os.makedirs(home_a)
        os.makedirs(home_b)

        save_a, config_a = self.play_into_level_1_and_quit(home_a)
        self.assertEqual(save_a, b"\x01\x00\x00\x00")
        self.assertEqual(config_a["Inicializacao"]["volume"], "128")

        # A second player's progress lives apart from the first one's.
        user_b = os.path.join(home_b, ".local", "share", "zepko")
        os.makedirs(user_b)
        with open(os.path.join(user_b, "save.bin"), "wb") as f:
            f.write((5).to_bytes(4, "little"))
        save_b, _ = self.play_into_level_1_and_quit(home_b)
        self.assertEqual(save_b, (5).to_bytes(4, "little"))
        with open(os.path.join(home_a, ".local/share/zepko/save.bin"), "rb") as f:
            self.assertEqual(f.read(), b"\x01\x00\x00\x00")

        self.assertEqual(snapshot(self.prefix), before)


if __name__ == "__main__":
    unittest.main()
