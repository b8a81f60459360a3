"""The installed package as a player meets it, for autopkgtest
(debian/tests/control): `zepko` started from the PATH with a fresh HOME,
level 1 played with its music and solved with the arrow keys, and the game
left; the player's folder then holds their progress, settings and links into
the installed data, and nothing under /usr changed. The package must be
installed: python3 tests/pacote/test_deb.py [--own-home]

--own-home plays in the HOME of the user running it, a player account made
for the test, whose folder is kept for a look afterwards."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

# Root may write anywhere: nothing of this run may land under /usr.
sys.dont_write_bytecode = True
AQUI = os.path.dirname(os.path.abspath(__file__))
for folder in ("lib", "menus", "play", "musica", "completo"):
    sys.path.insert(0, os.path.join(AQUI, "..", "e2e", folder))
from zepko_e2e import InstalledGame  # noqa: E402
from jogador import Level1, stored_solutions  # noqa: E402
import telas  # noqa: E402  (probes of the menu screens)
from test_fase import in_level  # noqa: E402
from test_musica_no_jogo import SOM, rms  # noqa: E402

# Debian's PATH for a player's login (/etc/login.defs); root's lacks /usr/games.
PLAYER_PATH = "/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games"
DATA = "/usr/share/games/zepko"
PACKAGES = ("zepko", "zepko-data")  # the program, and the data it depends on
OWN_HOME = False  # --own-home


def dpkg_list():
    """dpkg -L of zepko and zepko-data: every path they installed, or None
    when neither is installed."""
    found = None
    for package in PACKAGES:
        r = subprocess.run(["dpkg", "-L", package], capture_output=True, text=True)
        if r.returncode == 0:
            found = (found or []) + r.stdout.split("\n")[:-1]
    return found


def changed_since(root, stamp_ns):
    """Paths under `root` written, made or changed in mode since `stamp_ns`."""
    found = []
    for d, dirs, files in os.walk(root):
        for name in [""] + dirs + files:
            p = os.path.join(d, name) if name else d
            try:
                st = os.lstat(p)
            except FileNotFoundError:
                continue
            if max(st.st_mtime_ns, st.st_ctime_ns) >= stamp_ns:
                found.append(p)
    return found


def now_ns():
    """The file system's clock, which writes time stamps."""
    with tempfile.NamedTemporaryFile() as mark:
        return os.stat(mark.name).st_mtime_ns


def play_level_1(test, home):
    """Starts zepko from the PATH as the player of `home`, enters level 1,
    hears its music, solves it and closes the window; returns the player's
    folder."""
    with InstalledGame("zepko", home, path=PLAYER_PATH) as g:
        g.wait_window()
        telas.open_first_page(g)
        g.click(*telas.LEVEL_1)
        g.wait_for("level 1", lambda: in_level(g.screenshot()))
        # The level's music plays with freepats' samples.
        sound = os.path.join(g.dir, "sound.raw")
        start = os.path.getsize(sound)
        time.sleep(1.0)
        with open(sound, "rb") as f:
            f.seek(start)
            test.assertGreater(rms(f.read()), SOM, "level 1 played no music")
        Level1(g).solve(stored_solutions()[1][2])
        g.close_window()
        test.assertEqual(g.wait_exit().status, 0)
        return g.game_dir


def assert_links_into(test, folder, data):
    """Every link of the player's folder leads to something under `data`."""
    links = [os.path.join(folder, n) for n in os.listdir(folder) if os.path.islink(os.path.join(folder, n))]
    test.assertEqual(sorted(os.path.basename(p) for p in links), ["fonts", "img", "mid", "patches"])
    for p in links:
        test.assertTrue(os.path.exists(p), f"{p} dangles")
        test.assertEqual(os.path.dirname(os.readlink(p)), data)


class PacoteDeb(unittest.TestCase):
    def test_play_from_the_path(self):
        self.assertIn("/usr/games/zepko", dpkg_list())
        if OWN_HOME:
            home = os.environ["HOME"]
        else:
            home = tempfile.mkdtemp(prefix="zepko-deb-home-")
            self.addCleanup(shutil.rmtree, home, True)
        before = now_ns()
        folder = play_level_1(self, home)
        with open(os.path.join(folder, "save.bin"), "rb") as f:
            self.assertEqual(f.read(), b"\x02\x00\x00\x00")
        with open(os.path.join(folder, "config.txt"), "rb") as f:
            self.assertIn(b"[Inicializacao]", f.read())
        assert_links_into(self, folder, DATA)
        self.assertEqual(changed_since("/usr", before), [])


if __name__ == "__main__":
    if sys.argv[1:2] == ["--own-home"]:
        sys.argv.pop(1)
        OWN_HOME = True
    unittest.main()
