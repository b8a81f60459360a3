"""An upgrade keeps each player's game, and a purge leaves it: the first
packages installed with apt, level 1 played from the PATH, the progress file
then set to 5 (playing to level 5 would take minutes) and a setting changed;
the second packages (a higher version whose default config.txt gained a key)
installed over them; then purged. The first may be the single package that
held the data too before zepko-data. It installs on this machine, so it runs
as root from `make test-deb`:
python3 tests/pacote/test_atualizacao.py FIRST.deb... -- SECOND.deb..."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from test_deb import DATA, PACKAGES, PLAYER_PATH, assert_links_into, dpkg_list, play_level_1  # noqa: E402
from zepko_e2e import InstalledGame, read_config  # noqa: E402
import telas  # noqa: E402
from jogador import LEVEL_POINT  # noqa: E402
from test_fase import in_level  # noqa: E402

FIRST = SECOND = None  # the two lists of .deb files, from the command line


def apt_get(*args):
    subprocess.run(["apt-get", "-o", "DPkg::Lock::Timeout=600", "-y", *args], check=True,
                   env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"), stdout=subprocess.DEVNULL)


def installed_version(package):
    return subprocess.run(["dpkg-query", "-W", "-f", "${Version}", package],
                          capture_output=True, text=True, check=True).stdout


def deb_field(deb, field):
    return subprocess.run(["dpkg-deb", "-f", deb, field], capture_output=True, text=True,
                          check=True).stdout.strip()


def owned_by_another_package(path):
    return subprocess.run(["dpkg", "-S", path], capture_output=True).returncode == 0


def files(folder):
    """Every entry of the player's folder: bytes of a file, target of a link."""
    found = {}
    for name in os.listdir(folder):
        p = os.path.join(folder, name)
        if os.path.islink(p):
            found[name] = os.readlink(p)
        else:
            with open(p, "rb") as f:
                found[name] = f.read()
    return found


class Atualizacao(unittest.TestCase):
    def test_upgrade_keeps_the_game_and_purge_leaves_it(self):
        apt_get("install", *map(os.path.abspath, FIRST))
        self.addCleanup(lambda: dpkg_list() is not None and apt_get("purge", *PACKAGES))
        home = tempfile.mkdtemp(prefix="zepko-upgrade-home-")
        self.addCleanup(shutil.rmtree, home, True)
        folder = play_level_1(self, home)
        with open(os.path.join(folder, "save.bin"), "wb") as f:
            f.write((5).to_bytes(4, "little"))
        config = os.path.join(folder, "config.txt")
        with open(config) as f:
            text = f.read()
        with open(config, "w") as f:
            f.write(text.replace("volume = 128", "volume = 77"))

        apt_get("install", *map(os.path.abspath, SECOND))
        for deb in SECOND:
            self.assertEqual(installed_version(deb_field(deb, "Package")), deb_field(deb, "Version"))
        with InstalledGame("zepko", home, path=PLAYER_PATH) as g:
            g.wait_window()
            telas.open_first_page(g)
            g.click(*LEVEL_POINT[5])
            g.wait_for("level 5, open at progress 5", lambda: in_level(g.screenshot()))
            self.assertEqual(telas.back_out_and_quit(g).status, 0)
        with open(os.path.join(folder, "save.bin"), "rb") as f:
            self.assertEqual(f.read(), (5).to_bytes(4, "little"))
        with open(config) as f:
            got = read_config(f.read())
        self.assertEqual(got["Inicializacao"]["volume"], "77")
        with open(os.path.join(DATA, "config.txt")) as f:
            self.assertEqual(got["teste"], read_config(f.read())["teste"])
        assert_links_into(self, folder, DATA)

        kept = files(folder)
        installed = dpkg_list()
        apt_get("purge", *PACKAGES)
        self.assertIsNone(dpkg_list())
        # Folders stay only while another package or file holds them.
        left = [p for p in installed if os.path.lexists(p)
                and not (os.path.isdir(p) and (os.listdir(p) or owned_by_another_package(p)))]
        self.assertEqual(left, [])
        self.assertEqual(files(folder), kept)


if __name__ == "__main__":
    split = sys.argv.index("--")
    FIRST, SECOND = sys.argv[1:split], sys.argv[split + 1:]
    unittest.main(argv=sys.argv[:1])
