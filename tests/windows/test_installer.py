"""The Windows installer under Wine, as a player uses it: installed silently
into a fresh prefix, the installed game played, then uninstalled silently;
an older version upgraded, a running game left whole, a folder refused.

    python3 test_installer.py --fresh-prefix   makes WINEPREFIX anew, before the test
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

from jogador import Level1, stored_solutions
from telas import PLAY, wait_title
from wine_game import DLL_OVERRIDES, WINE, WineGame, prefix, setup_prefix, unpack_zip, wine_env

UNINSTALL = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall"
UNINSTALL_KEY = UNINSTALL + r"\Zepko"
ENTRY = {"DisplayName", "DisplayVersion", "Publisher", "DisplayIcon", "EstimatedSize",
         "UninstallString", "QuietUninstallString", "NoModify", "NoRepair"}


def wine(*args, check=True):
    # Shortcuts made under Wine would otherwise become menu entries of the
    # Linux desktop.
    env = wine_env(WINEDLLOVERRIDES=DLL_OVERRIDES + ";winemenubuilder.exe=d")
    return subprocess.run([WINE, *args], env=env, check=check,
                          capture_output=True, text=True, errors="replace")


def unix_path(windows_path):
    return wine("winepath", "-u", windows_path).stdout.strip()


def folder_of(variable):
    """A Windows environment variable's folder, as a path of this machine."""
    return unix_path(wine("cmd", "/c", "echo", f"%{variable}%").stdout.strip())


def registry(key):
    """The values of a registry key, or None when there is no such key."""
    res = wine("reg", "query", key, check=False)
    if res.returncode != 0:
        return None
    return dict(re.findall(r"^ +(\S+) +REG_\w+ +(.*?)\r?$", res.stdout, re.M))


def entries():
    """The names of the uninstall entries that show Zepko."""
    res = wine("reg", "query", UNINSTALL, "/s")
    return [key for key, body in re.findall(r"^(HKEY\S.*?)\r?\n((?: .*\r?\n)*)", res.stdout, re.M)
            if re.search(r"^ +DisplayName +REG_SZ +Zepko\r?$", body, re.M)]


def files(top):
    """Every file below `top` by its relative path, with its bytes."""
    found = {}
    for folder, _, names in os.walk(top):
        for name in names:
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                found[os.path.relpath(path, top)] = f.read()
    return found


class Installed(WineGame):
    """The installed game where the installer put it, not a copy, started
    from C:\\ as a shortcut without a "Start in" folder would."""

    def _lay_out(self):
        self.dir = tempfile.mkdtemp(prefix="zepko-installed-")
        self.game_dir = self.run_dir

    def start_folder(self):
        return unix_path("C:\\")


def zip_files():
    with zipfile.ZipFile(os.environ["ZEPKO_ZIP"]) as z:
        return {n[len("zepko/"):]: z.read(n) for n in z.namelist() if not n.endswith("/")}


def older_setup(top):
    """An installer of version 0.9.0, built by the same rules from the zip's
    files and one more, mid/velha.mid, which the current version dropped."""
    with zipfile.ZipFile(os.environ["ZEPKO_ZIP"]) as z:
        z.extractall(top)
    stage = os.path.join(top, "zepko")
    with open(os.path.join(stage, "mid", "velha.mid"), "wb") as f:
        f.write(b"MThd")
    setup = os.path.join(top, "zepko-0.9.0-setup.exe")
    subprocess.run([os.environ["ZEPKO_CMAKE"], "-DMAKENSIS=" + os.environ["ZEPKO_MAKENSIS"],
                    "-DSCRIPT=" + os.environ["ZEPKO_NSIS_SCRIPT"], "-DVERSION=0.9.0", "-DNUMBERS=0.9.0.0",
                    "-DSTAGE=" + stage, "-DFILES=" + os.path.join(top, "files.nsh"),
                    "-DOUTFILE=" + setup, "-DICON=" + os.environ["ZEPKO_ICO"],
                    "-P", os.environ["ZEPKO_SETUP_RULES"]], check=True)
    return setup


def x86_program(path, work):
    """An empty 32-bit Windows program at `path`, which a machine without
    32-bit support cannot run, made in the folder `work`."""
    script = os.path.join(work, "x86.nsi")
    with open(script, "w") as f:
        f.write(f'Target x86-unicode\nOutFile "{path}"\nSilentInstall silent\nSection\nSectionEnd\n')
    subprocess.run([os.environ["ZEPKO_MAKENSIS"], "-NOCONFIG", "-V1", script], check=True)


class Installer(unittest.TestCase):
    def setUp(self):
        # Each test starts with nothing installed.
        self.folder = os.path.join(folder_of("LOCALAPPDATA"), "Programs", "Zepko")
        shutil.rmtree(self.folder, ignore_errors=True)
        wine("reg", "delete", UNINSTALL_KEY, "/f", check=False)
        self.tmp = tempfile.mkdtemp(prefix="zepko-setup-")
        self.addCleanup(shutil.rmtree, self.tmp)

    def test_install_play_uninstall(self):
        wine(os.environ["ZEPKO_SETUP"], "/S")
        folder = self.folder
        shipped = zip_files()
        installed = files(folder)
        self.assertIn("uninstall.exe", installed)
        del installed["uninstall.exe"]
        self.assertEqual(sorted(installed), sorted(shipped))
        self.assertEqual([n for n in shipped if installed[n] != shipped[n]], [])
        shortcut = os.path.join(folder_of("APPDATA"), "Microsoft", "Windows", "Start Menu",
                                "Programs", "Zepko.lnk")
        self.assertTrue(os.path.isfile(shortcut))
        entry = registry(UNINSTALL_KEY)
        self.assertEqual(ENTRY - entry.keys(), set())
        self.assertEqual(entry["DisplayVersion"], os.environ["ZEPKO_VERSION"])

        with Installed(run_dir=folder) as g:
            g.wait_window()
            wait_title(g)
            g.click(*PLAY)
            level = Level1(g)
            level.first_page()
            level.open_level(1)
            level.solve(stored_solutions()[1][2])
            g.close_window()
            self.assertEqual(g.wait_exit().status, 0)
        with open(os.path.join(folder, "save.bin"), "rb") as f:
            self.assertEqual(f.read(), b"\x02\x00\x00\x00")

        # What "Apps & features" runs to remove it silently. The uninstaller
        # runs on from a copy of itself, so wait for every program to end.
        command = re.fullmatch(r'"([^"]+)" (.*)', entry["QuietUninstallString"])
        wine(command[1], *command[2].split())
        subprocess.run(["wineserver", "--wait"], env=wine_env(), check=True)
        self.assertEqual(sorted(os.listdir(folder)), ["config.txt", "save.bin"])
        with open(os.path.join(folder, "save.bin"), "rb") as f:
            self.assertEqual(f.read(), b"\x02\x00\x00\x00")
        self.assertIsNone(registry(UNINSTALL_KEY))
        self.assertFalse(os.path.exists(shortcut))

    def test_upgrade_leaves_nothing_of_the_older_version(self):
        wine(older_setup(self.tmp), "/S")
        self.assertTrue(os.path.isfile(os.path.join(self.folder, "mid", "velha.mid")))
        with open(os.path.join(self.folder, "save.bin"), "wb") as f:
            f.write(b"\x05\x00\x00\x00")
        with open(os.path.join(self.folder, "config.txt"), "ab") as f:
            f.write(b"volume = 77\r\n")
        player = {n: files(self.folder)[n] for n in ("save.bin", "config.txt")}

        wine(os.environ["ZEPKO_SETUP"], "/S")
        installed = files(self.folder)
        self.assertEqual(sorted(installed),
                         sorted(set(zip_files()) | {"save.bin", "uninstall.exe"}))
        self.assertEqual({n: installed[n] for n in player}, player)
        self.assertEqual(entries(), [UNINSTALL_KEY.replace("HKCU", "HKEY_CURRENT_USER")])
        self.assertEqual(registry(UNINSTALL_KEY)["DisplayVersion"], os.environ["ZEPKO_VERSION"])

    def test_upgrade_over_the_32_bit_release(self):
        # What 1.1.0's installer leaves, laid out by hand: its installer and
        # uninstaller are 32-bit programs, which not every machine runs. The
        # same files as this version's, its uninstaller, its entry and its
        # two shortcuts, and the player's progress and settings.
        unpacked, game = unpack_zip("zepko-1.1.0-")
        self.addCleanup(shutil.rmtree, unpacked)
        shutil.copytree(game, self.folder)
        old_uninstaller = os.path.join(self.folder, "uninstall.exe")
        x86_program(old_uninstaller, self.tmp)
        with open(os.path.join(self.folder, "save.bin"), "wb") as f:
            f.write(b"\x05\x00\x00\x00")
        with open(os.path.join(self.folder, "config.txt"), "ab") as f:
            f.write(b"volume = 77\r\n")
        player = {n: files(self.folder)[n] for n in ("save.bin", "config.txt", "uninstall.exe")}
        location = wine("cmd", "/c", "echo", "%LOCALAPPDATA%").stdout.strip() + r"\Programs\Zepko"
        for name, value in (("DisplayName", "Zepko"), ("DisplayVersion", "1.1.0"),
                            ("InstallLocation", location),
                            ("UninstallString", f'"{location}\\uninstall.exe"')):
            wine("reg", "add", UNINSTALL_KEY, "/v", name, "/d", value, "/f")
        shortcuts = [os.path.join(folder_of("APPDATA"), "Microsoft", "Windows", "Start Menu",
                                  "Programs", "Zepko.lnk"),
                     os.path.join(folder_of("USERPROFILE"), "Desktop", "Zepko.lnk")]
        for shortcut in shortcuts:
            os.makedirs(os.path.dirname(shortcut), exist_ok=True)
            with open(shortcut, "wb") as f:
                f.write(b"1.1.0")
        self.addCleanup(lambda: [os.remove(s) for s in shortcuts if os.path.exists(s)])

        wine(os.environ["ZEPKO_SETUP"], "/S")
        installed = files(self.folder)
        self.assertEqual(sorted(installed),
                         sorted(set(zip_files()) | {"save.bin", "uninstall.exe"}))
        self.assertEqual({n: installed[n] for n in ("save.bin", "config.txt")},
                         {n: player[n] for n in ("save.bin", "config.txt")})
        self.assertNotEqual(installed["uninstall.exe"], player["uninstall.exe"])
        self.assertEqual(entries(), [UNINSTALL_KEY.replace("HKCU", "HKEY_CURRENT_USER")])
        self.assertEqual(registry(UNINSTALL_KEY)["DisplayVersion"], os.environ["ZEPKO_VERSION"])
        for shortcut in shortcuts:
            with open(shortcut, "rb") as f:
                self.assertNotEqual(f.read(), b"1.1.0", shortcut)

    def test_running_game_keeps_every_file_and_the_entry(self):
        wine(os.environ["ZEPKO_SETUP"], "/S")
        entry = registry(UNINSTALL_KEY)
        with Installed(run_dir=self.folder) as g:
            g.wait_window()
            before = files(self.folder)
            # Run from a copy, as the installer runs an older uninstaller, so
            # that its exit code is its own and not that of its launcher.
            shutil.copy(os.path.join(self.folder, "uninstall.exe"), self.tmp)
            res = wine(os.path.join(self.tmp, "uninstall.exe"), "/S",
                       "_?=" + entry["InstallLocation"], check=False)
            self.assertNotEqual(res.returncode, 0)
            res = wine(os.environ["ZEPKO_SETUP"], "/S", check=False)
            self.assertNotEqual(res.returncode, 0)
            self.assertEqual(files(self.folder), before)
            self.assertEqual(registry(UNINSTALL_KEY), entry)
            g.close_window()
            self.assertEqual(g.wait_exit().status, 0)

    def test_folder_nobody_may_write_to(self):
        # Wine lets the player write everywhere in its own drive C:, even in
        # Program Files: /proc (drive Z:) is a folder that no one may write to.
        res = wine(os.environ["ZEPKO_SETUP"], "/S", r"/D=Z:\proc\Zepko", check=False)
        self.assertNotEqual(res.returncode, 0)
        self.assertIsNone(registry(UNINSTALL_KEY))
        self.assertFalse(os.path.exists(self.folder))


def fresh_prefix():
    subprocess.run(["wineserver", "-k"], env=wine_env(), check=False)
    shutil.rmtree(prefix(), ignore_errors=True)
    # An empty home, so the prefix's Desktop and Documents link to nothing
    # of the machine's own user.
    home = tempfile.mkdtemp(prefix="zepko-wine-home-")
    os.environ["HOME"] = home
    try:
        setup_prefix()
    finally:
        shutil.rmtree(home)


if __name__ == "__main__":
    if sys.argv[1:] == ["--fresh-prefix"]:
        fresh_prefix()
    else:
        unittest.main()
