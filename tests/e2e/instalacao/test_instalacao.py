"""The installed game: `make install` into a temporary prefix, the
launcher started with a temporary HOME, a level entered and left, and the
player's files found in the per-user folder, never among the installed data,
even when the prefix is the player's ~/.local; installed again and removed.
Then the launcher where players really are: a read-only HOME or folder, a
link to it, odd environments, two launches at once, an upgrade's data and
defaults, what an earlier install left."""

import os
import shutil
import signal
import subprocess
import tempfile
import unittest

from zepko_e2e import AS_NOBODY, NOBODY, InstalledGame, e2e_folders, player_environment, progress, read_config

e2e_folders("menus")
import telas  # noqa: E402  (probes of the menu screens)

INSTALL_PREFIX = os.path.join(os.path.dirname(__file__), "..", "..", "..", "scripts", "install-prefix")


def install(prefix, *options, build=None):
    """make install (or, with --uninstall, make uninstall) into `prefix`."""
    subprocess.run([INSTALL_PREFIX, *options, build or os.environ["ZEPKO_BUILD_DIR"], prefix],
                   check=True, stdout=subprocess.DEVNULL)


def as_player(home):
    """The command prefix that runs the launcher as a player who owns `home`:
    root's writes are never refused, so root plays as nobody."""
    if os.geteuid() != 0:
        return []
    os.chown(home, NOBODY, NOBODY)
    return AS_NOBODY


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
        os.chmod(cls.root, 0o755)  # for the player of as_player
        cls.prefix = os.path.join(cls.root, "prefix")
        install(cls.prefix)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root, ignore_errors=True)

    def play_into_level_1_and_quit(self, home):
        with InstalledGame(os.path.join(self.prefix, "bin", "zepko"), home) as g:
            g.wait_window()
            telas.enter_level(g)
            self.assertEqual(telas.back_out_and_quit(g).status, 0)
            return g.read_bytes("save.bin"), read_config(g.read_text("config.txt"))

    def start_and_close(self, launcher, home, **kw):
        """The window closed as soon as it shows; returns the game's Result
        and the InstalledGame, whose player files stay to be read."""
        with InstalledGame(launcher, home, **kw) as g:
            g.wait_window()
            res = g.close_and_wait()
            self.assertEqual(res.status, 0, res.stderr)
        return res, g

    def test_layout_of_the_prefix(self):
        for rel in ("bin/zepko", "libexec/zepko/zepko", "share/games/zepko/config.txt",
                    "share/games/zepko/img/ZepkoLogo.bmp", "share/games/zepko/img/mapa/box.bmp",
                    "share/games/zepko/fonts/arial14.pcx", "share/games/zepko/mid/01.mid",
                    "share/applications/zepko.desktop",
                    "share/icons/hicolor/64x64/apps/zepko.png"):
            self.assertTrue(os.path.exists(os.path.join(self.prefix, rel)), rel)
        self.assertTrue(os.access(os.path.join(self.prefix, "bin", "zepko"), os.X_OK))
        # The licence of the game, and the fonts' note of changes beside them.
        with open(os.path.join(self.prefix, "share/doc/zepko/copyright")) as f:
            self.assertIn("Permission is hereby granted", f.read())
        with open(os.path.join(self.prefix, "share/games/zepko/fonts/README.txt")) as f:
            self.assertRegex(f.read(), r"package fonts-texgyre [0-9]")
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
        self.assertEqual(save_a, progress(1))
        self.assertEqual(config_a["Inicializacao"]["volume"], "128")

        # A second player's progress lives apart from the first one's.
        user_b = os.path.join(home_b, ".local", "share", "zepko")
        os.makedirs(user_b)
        with open(os.path.join(user_b, "save.bin"), "wb") as f:
            f.write(progress(5))
        save_b, _ = self.play_into_level_1_and_quit(home_b)
        self.assertEqual(save_b, progress(5))
        with open(os.path.join(home_a, ".local/share/zepko/save.bin"), "rb") as f:
            self.assertEqual(f.read(), progress(1))

        self.assertEqual(snapshot(self.prefix), before)

    def test_read_only_home_or_player_folder_still_plays(self):
        home = os.path.join(self.root, "somente-leitura")
        os.makedirs(home)
        runner = as_player(home)

        def start_and_close():
            return self.start_and_close(os.path.join(self.prefix, "bin", "zepko"), home,
                                        runner=runner, sound=False)[0].stderr

        os.chmod(home, 0o555)
        self.assertIn("without keeping progress", start_and_close())
        self.assertEqual(os.listdir(home), [])

        # The folder of a first run, made read-only: the right links stand.
        os.chmod(home, 0o755)
        start_and_close()
        folder = os.path.join(home, ".local", "share", "zepko")
        os.chmod(folder, 0o555)
        links = {n: os.readlink(os.path.join(folder, n)) for n in ("img", "fonts", "mid", "patches")}
        # Nothing said but the music's absence (this player has no sound device).
        said = [l for l in start_and_close().splitlines() if l.startswith("zepko:")]
        self.assertEqual([l for l in said if "without music" not in l], [])
        self.assertEqual({n: os.readlink(os.path.join(folder, n)) for n in links}, links)

    def test_into_the_players_own_prefix_reinstalled_and_removed(self):
        # make install PREFIX=~/.local: the player's folder is in the prefix.
        home = os.path.join(self.root, "carla")
        prefix = os.path.join(home, ".local")
        folder = os.path.join(prefix, "share", "zepko")
        os.makedirs(home)

        def start_and_close():
            return read_config(self.start_and_close(os.path.join(prefix, "bin", "zepko"), home)[1]
                               .read_text("config.txt"))

        install(prefix)
        start_and_close()
        with open(os.path.join(folder, "config.txt")) as f:
            config = f.read().replace("volume = 128", "volume = 40")
        with open(os.path.join(folder, "config.txt"), "w") as f:
            f.write(config)
        with open(os.path.join(folder, "save.bin"), "wb") as f:
            f.write(progress(3))
        install(prefix)
        self.assertEqual(start_and_close()["Inicializacao"]["volume"], "40")

        mine = {os.path.join("share", "zepko", n) for n in os.listdir(folder)}
        # As after make clean: no build to read.
        install(prefix, "--uninstall", build=os.path.join(self.root, "sem-build"))
        self.assertEqual(set(snapshot(prefix)), {"share", os.path.join("share", "zepko")} | mine)
        with open(os.path.join(folder, "save.bin"), "rb") as f:
            self.assertEqual(f.read(), progress(3))



# Stands in for the game: says where it was started and with what. Asked to
# wait, it names the first signal it gets and ends with status 7 (or gives
# up after a minute with no signal, with status 3).
STUB = """#!/bin/sh
pwd
[ $# -eq 0 ] || printf '%s\\n' "$@"
if [ "${1:-}" = --wait ]; then
    for s in HUP INT TERM; do trap "echo got $s; exit 7" $s; done
    echo waiting
    for i in $(seq 600); do sleep 0.1; done
    exit 3
fi
"""


class Lancador(unittest.TestCase):
    """The launcher alone, with the installed program replaced by STUB."""

    @classmethod
    def setUpClass(cls):
        cls.root = tempfile.mkdtemp(prefix="zepko-launcher-")
        prefix = os.path.join(cls.root, "prefix")
        install(prefix)
        with open(os.path.join(prefix, "libexec", "zepko", "zepko"), "w") as f:
            f.write(STUB)
        cls.launcher = os.path.join(prefix, "bin", "zepko")
        cls.data = os.path.join(prefix, "share", "games", "zepko")
        with open(os.path.join(cls.data, "config.txt")) as f:
            cls.defaults = f.read()

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root, ignore_errors=True)

    def setUp(self):
        self.home = tempfile.mkdtemp(dir=self.root)
        self.folder = os.path.join(self.home, ".local", "share", "zepko")

    def launch(self, *args, program=None, **env):
        """The launcher run by the player of self.home; `env` sets variables
        (None unsets one). Returns the CompletedProcess."""
        return subprocess.run([program or self.launcher, *args], cwd=self.home,
                              env=player_environment(self.home, env), capture_output=True, text=True)

    def started(self, res, *args):
        """Asserts the program ran in the player's folder with `args`."""
        self.assertEqual(res.returncode, 0, res.stderr)
        self.assertEqual(res.stdout.splitlines(), [self.folder, *args])

    def test_through_a_link_with_arguments(self):
        link = os.path.join(self.home, "bin", "zepko")
        os.makedirs(os.path.dirname(link))
        os.symlink(self.launcher, link)
        self.started(self.launch("--version", "two words", program=link), "--version", "two words")
        with open(os.path.join(self.folder, "config.txt")) as f:
            self.assertEqual(f.read(), self.defaults)

    def test_where_the_folder_is(self):
        # A relative XDG_DATA_HOME is ignored; an absolute one is used.
        self.started(self.launch(XDG_DATA_HOME="relativo"))
        self.assertFalse(os.path.exists(os.path.join(self.home, "relativo")))
        elsewhere = os.path.join(self.home, "dados")
        self.folder = os.path.join(elsewhere, "zepko")
        self.started(self.launch(XDG_DATA_HOME=elsewhere))
        # No HOME, or a relative one, and no XDG_DATA_HOME: a message, and
        # the game in a temporary folder that is gone when it ends.
        before = sorted(os.listdir(self.home))
        for home in (None, "relativo"):
            res = self.launch("--version", HOME=home)
            self.assertEqual(res.returncode, 0, res.stderr)
            folder, *args = res.stdout.splitlines()
            self.assertEqual(args, ["--version"])
            self.assertFalse(os.path.exists(folder))
            self.assertIn("without keeping progress", res.stderr)
        self.assertEqual(sorted(os.listdir(self.home)), before)

    def test_never_in_the_installed_data(self):
        res = self.launch("--version", XDG_DATA_HOME=os.path.dirname(self.data))
        self.assertEqual(res.returncode, 0, res.stderr)
        self.assertIn("without keeping progress", res.stderr)
        self.assertFalse(os.path.lexists(os.path.join(self.data, "img", "img")))

    def test_signals_reach_the_game_in_a_temporary_folder(self):
        # The launcher waits for the game there, to remove the folder after it.
        env = player_environment(None)
        for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
            # As from a terminal: INT not ignored, whatever runs the tests.
            run = subprocess.Popen([self.launcher, "--wait"], env=env, stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, text=True,
                                   preexec_fn=lambda: signal.signal(signal.SIGINT, signal.SIG_DFL))
            folder = run.stdout.readline().strip()
            while run.stdout.readline().strip() != "waiting":
                pass
            run.send_signal(sig)
            # The launcher ends when the game has, with its status.
            self.assertEqual(run.wait(), 7, sig.name)
            self.assertEqual(run.stdout.read().split(), ["got", sig.name[3:]])
            run.stdout.close()
            self.assertFalse(os.path.exists(folder))

    def test_launches_at_the_same_first_start(self):
        for _ in range(40):
            self.setUp()
            runs = [subprocess.Popen([self.launcher], cwd=self.home, env=dict(os.environ, HOME=self.home),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
                    for _ in range(3)]
            for r in runs:
                _, err = r.communicate()
                self.assertEqual((r.returncode, err), (0, ""))
            with open(os.path.join(self.folder, "config.txt")) as f:
                self.assertEqual(f.read(), self.defaults)
            self.assertEqual(sorted(os.listdir(self.folder)), ["config.txt", "fonts", "img", "mid", "patches"])

    def test_links_follow_the_installed_data(self):
        self.started(self.launch())
        img = os.path.join(self.folder, "img")
        made = os.lstat(img)
        # A player's own link, even a broken one, is theirs.
        own = os.path.join(self.folder, "meu")
        os.symlink(os.path.join(self.home, "nada"), own)
        mid = os.path.join(self.folder, "mid")
        os.remove(mid)
        os.symlink(os.path.join(self.home, "nada"), mid)
        # An upgrade adds data, then takes it away again.
        extra = os.path.join(self.data, "extra")
        os.mkdir(extra)
        self.addCleanup(shutil.rmtree, extra, True)
        self.started(self.launch())
        self.assertEqual(os.readlink(os.path.join(self.folder, "extra")), extra)
        self.assertEqual(os.readlink(mid), os.path.join(self.data, "mid"))
        os.rmdir(extra)
        self.started(self.launch())
        self.assertFalse(os.path.lexists(os.path.join(self.folder, "extra")))
        self.assertTrue(os.path.islink(own))
        # A right link is left as it was, not made again.
        self.assertEqual((os.lstat(img).st_ino, os.lstat(img).st_mtime_ns), (made.st_ino, made.st_mtime_ns))

    def test_mends_what_an_earlier_install_left(self):
        # The data once went into the player's folder itself: a real folder
        # where a link belongs, with the link made inside it, and a link to
        # itself; the player's files among them.
        img = os.path.join(self.folder, "img")
        os.makedirs(img)
        os.symlink(img, os.path.join(img, "img"))
        open(os.path.join(img, "ZepkoLogo.bmp"), "wb").close()
        os.symlink(os.path.join(self.folder, "mid"), os.path.join(self.folder, "mid"))
        save = os.path.join(self.folder, "save.bin")
        config = os.path.join(self.folder, "config.txt")
        with open(save, "wb") as f:
            f.write(progress(4))
        with open(config, "w") as f:
            f.write(self.defaults.replace("volume = 128", "volume = 40"))
        res = self.launch()
        self.started(res)
        # The real folder is kept whole, aside, and the move said once.
        self.assertEqual(res.stderr, f"zepko: moved {img} to {img}.antigo, to link the game's data in its place\n")
        self.assertEqual(sorted(os.listdir(img + ".antigo")), ["ZepkoLogo.bmp", "img"])
        # Another one later never goes over it.
        os.remove(img)
        os.mkdir(img)
        self.started(self.launch())
        self.assertEqual(sorted(os.listdir(img + ".antigo")), ["ZepkoLogo.bmp", "img"])
        self.assertEqual(os.listdir(img + ".antigo2"), [])
        for name in ("img", "fonts", "mid", "patches"):
            self.assertEqual(os.readlink(os.path.join(self.folder, name)), os.path.join(self.data, name))
        with open(save, "rb") as f:
            self.assertEqual(f.read(), progress(4))
        with open(config) as f:
            self.assertEqual(read_config(f.read())["Inicializacao"]["volume"], "40")
        # A save.bin or config.txt linked to itself holds nothing: it goes.
        for name in ("save.bin", "config.txt"):
            os.remove(os.path.join(self.folder, name))
            os.symlink(name, os.path.join(self.folder, name))
        self.started(self.launch())
        self.assertFalse(os.path.lexists(save))
        with open(config) as f:
            self.assertEqual(f.read(), self.defaults)

    def test_config_keeps_the_players_values_and_gains_new_keys(self):
        os.makedirs(self.folder)
        config = os.path.join(self.folder, "config.txt")
        mine = "# mine\n[Inicializacao]\nvolume = 40\ncolordepth = 16\n\n[Extra]\nx = 1\n"
        with open(config, "w") as f:
            f.write(mine)
        self.started(self.launch())
        with open(config) as f:
            merged = f.read()
        self.assertTrue(merged.startswith("# mine\n[Inicializacao]\nvolume = 40\ncolordepth = 16\n"), merged)
        got, defaults = read_config(merged), read_config(self.defaults)
        self.assertEqual(got["Inicializacao"], dict(defaults["Inicializacao"], volume="40", colordepth="16"))
        self.assertEqual(got["sound"], defaults["sound"])
        self.assertEqual(got["Extra"], {"x": "1"})
        # Nothing more to add: the file is left alone.
        stamp = os.stat(config).st_mtime_ns
        self.started(self.launch())
        self.assertEqual(os.stat(config).st_mtime_ns, stamp)


if __name__ == "__main__":
    unittest.main()
