"""The Debian package as a player meets it: installed with apt, `zepko`
started from the PATH with a fresh HOME, played into level 1 with its music
and left, then purged. It installs on this machine, so it runs as root from
`make test-deb` (python3 tests/pacote/test_deb.py PACKAGE.deb), never from
`make test`."""

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
sys.path.insert(0, os.path.join(AQUI, "..", "e2e", "lib"))
sys.path.insert(0, os.path.join(AQUI, "..", "e2e", "menus"))
sys.path.insert(0, os.path.join(AQUI, "..", "e2e", "jogo"))
sys.path.insert(0, os.path.join(AQUI, "..", "e2e", "musica"))
from zepko_e2e import InstalledGame  # noqa: E402
import telas  # noqa: E402  (probes of the menu screens)
from test_fase import in_level  # noqa: E402
from test_musica_no_jogo import SOM, rms  # noqa: E402

PACKAGE = None  # the .deb, from the command line

# Debian's PATH for a player's login (/etc/login.defs); root's lacks /usr/games.
PLAYER_PATH = "/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games"


def apt_get(*args):
    subprocess.run(["apt-get", "-o", "DPkg::Lock::Timeout=600", "-y", *args], check=True,
                   env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"), stdout=subprocess.DEVNULL)


def dpkg_list():
    """dpkg -L zepko: every path the package installed, or None when it is not installed."""
    r = subprocess.run(["dpkg", "-L", "zepko"], capture_output=True, text=True)
    return r.stdout.split("\n")[:-1] if r.returncode == 0 else None


def owned_by_another_package(path):
    r = subprocess.run(["dpkg", "-S", path], capture_output=True, text=True)
    return r.returncode == 0


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


class PacoteDeb(unittest.TestCase):
    def test_install_play_and_purge(self):
        apt_get("install", os.path.abspath(PACKAGE))
        self.addCleanup(lambda: dpkg_list() is not None and apt_get("purge", "zepko"))
        installed = dpkg_list()
        self.assertIn("/usr/games/zepko", installed)

        home = tempfile.mkdtemp(prefix="zepko-deb-home-")
        self.addCleanup(shutil.rmtree, home, True)
        # Time stamps come from the file system's clock: take the mark from it.
        with tempfile.NamedTemporaryFile() as mark:
            before_run = os.stat(mark.name).st_mtime_ns
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
                self.assertGreater(rms(f.read()), SOM, "level 1 played no music")
            self.assertEqual(telas.back_out_and_quit(g).status, 0)
            player = g.game_dir
        with open(os.path.join(player, "save.bin"), "rb") as f:
            save = f.read()
        self.assertEqual(save, b"\x01\x00\x00\x00")
        with open(os.path.join(player, "config.txt"), "rb") as f:
            config = f.read()
        self.assertIn(b"[Inicializacao]", config)
        self.assertEqual(changed_since("/usr", before_run), [])

        apt_get("purge", "zepko")
        self.assertIsNone(dpkg_list())
        left = [p for p in installed if os.path.lexists(p)
                and not (os.path.isdir(p) and (os.listdir(p) or owned_by_another_package(p)))]
        self.assertEqual(left, [])
        with open(os.path.join(player, "save.bin"), "rb") as f:
            self.assertEqual(f.read(), save)
        with open(os.path.join(player, "config.txt"), "rb") as f:
            self.assertEqual(f.read(), config)


if __name__ == "__main__":
    PACKAGE = sys.argv.pop(1)
    unittest.main()
