"""Drives the real game under its own Xvfb for end-to-end tests.

Usage (a test file under tests/e2e/<area>/, registered in that folder's
CMakeLists.txt with include(ZepkoE2E) and zepko_e2e_test(<name> <file.py>)):

    import unittest
    from zepko_e2e import Game

    class Titulo(unittest.TestCase):
        def test_escape_quits(self):
            with Game(config="[Inicializacao]\\nvolume = 50\\n",
                      save=(3).to_bytes(4, "little"),
                      remove=["img/x.bmp"]) as g:
                g.wait_window()                  # the "Zepko" window, settled
                g.move(400, 300)                 # window coordinates
                g.click(120, 80)                 # press, hold, release button 1
                g.tap("Escape")                  # held long enough for a frame
                g.hold("Right", 0.5)             # held for 0.5 s
                g.wait_for("the cursor", lambda: g.screenshot().pixel(400, 300) == (0, 100, 0))
                shot = g.screenshot()            # shot.pixel(x, y) -> (r, g, b)
                shot.save("/tmp/look.png")       # to look at it
                g.close_window()                 # WM_DELETE_WINDOW, like a WM
                box = g.wait_message()           # an xmessage box
                self.assertEqual(box.text, "Unsupported color depth\\n")
                box.dismiss()
                res = g.wait_exit()              # res.status, res.stdout, res.stderr
                self.assertEqual(res.status, 0)
                self.assertIn("volume = 50", g.read_text("config.txt"))

    if __name__ == "__main__":
        unittest.main()

Each Game starts its own X server on a free display (Xvfb -displayfd) and
runs a private copy of the run folder (ZEPKO_RUN_DIR, set by CTest) in a
temporary folder, so test files can run in parallel. `config` / `save`
replace config.txt / save.bin in the copy (None keeps the run folder's, and
config="" or remove=["config.txt"] leaves it missing); `remove` deletes paths
of the copy; `env` adds variables to the game's environment; display=False
starts the game with DISPLAY unset. Key
auto-repeat is off in the test X server, but the library repeats a held key
by itself (after 250 ms, then every 33 ms): hold keys for less than that
unless repeats are wanted. Keyboard focus follows the pointer there, so keep
the pointer inside the window (it starts there). Set ZEPKO_E2E_KEEP=1 to keep
the temporary folder for a look.

Use Debian's /usr/bin/python3 (it has python3-xlib); xdotool sends the input.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import zlib
import struct

from Xlib import X, Xatom, display as xdisplay, error as xerror, protocol

# A tap must stay down across at least one 60 Hz frame and the library's
# keyboard polling, or no frame ever sees it.
TAP_SECONDS = 0.15
# The library treats pointer motion as relative for a moment after the
# window opens and then warps the pointer; input before that is unreliable.
SETTLE_SECONDS = 0.6
# Hang guards only: a working game answers within a second or two.
WAIT_SECONDS = 30.0


# ALSA's default device as a file: raw samples in the format the game chose.
ASOUNDRC = """pcm.!default {
    type file
    slave.pcm "null"
    file "%s"
    format "raw"
}
"""


# The player an e2e test run as root plays as: root's writes are never refused.
NOBODY = 65534
AS_NOBODY = ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups"]


def progress(level):
    """save.bin's bytes with `level` as the highest open level."""
    return level.to_bytes(4, "little", signed=True)


def environ(*changes):
    """The test's environment with each dict of `changes` applied in turn;
    a value of None removes the variable."""
    env = dict(os.environ)
    for c in changes:
        env.update(c)
    return {k: v for k, v in env.items() if v is not None}


def e2e_folders(*areas):
    """Makes the helpers of other e2e folders (tests/e2e/<area>) importable."""
    for area in areas:
        sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", area))


def poll(what, probe, gone, timeout=WAIT_SECONDS):
    """Polls `probe` until it returns something true and returns that;
    gone(what) names what ended meanwhile, to fail at once."""
    end = time.monotonic() + timeout
    while True:
        got = probe()
        if got:
            return got
        why = gone(what)
        if why:
            raise E2EError(why)
        if time.monotonic() > end:
            raise E2EError(f"timed out waiting for {what}")
        time.sleep(0.05)


def stop(proc):
    """Ends a helper process (an X server, a compositor, a sound server)
    gently, or by force when it does not go within ten seconds."""
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


class E2EError(AssertionError):
    """Something the test waited for did not happen."""


# The top left pixel of the game's cursor, drawn where it has the pointer.
CURSOR_TIP = (0, 100, 0)


class ClicksOnCursor:
    """For a Game whose pointer moves may reach the game late (under Wine,
    under weston, on a busy machine): a press made meanwhile would land where
    the cursor was, on another button. Each click waits, as a player does,
    until the game draws its cursor at the point."""

    def point_at(self, x, y):
        self.move(x, y)
        self.wait_for("the game's cursor at the point",
                      lambda: self.screenshot().pixel(x, y) == CURSOR_TIP)

    def click(self, x, y, *args, **kw):
        self.point_at(x, y)
        super().click(x, y, *args, **kw)

    def quick_click(self, x, y):
        self.point_at(x, y)
        super().quick_click(x, y)


class Started:
    """A context manager around _open() and close(): what a failed _open()
    had started is closed too."""

    def __enter__(self):
        try:
            self._open()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False


class Shot:
    """An RGB picture of a window, read back from the X server."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb  # bytes, 3 per pixel, row by row

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"pixel ({x}, {y}) outside {self.width}x{self.height}")
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def count(self, color, box=None):
        """Pixels of `color` inside box=(x0, y0, x1, y1), inclusive; whole picture by default."""
        x0, y0, x1, y1 = box or (0, 0, self.width - 1, self.height - 1)
        want = bytes(color)
        n = 0
        for y in range(y0, y1 + 1):
            row = self.rgb[3 * (y * self.width + x0):3 * (y * self.width + x1 + 1)]
            n += sum(1 for i in range(0, len(row), 3) if row[i:i + 3] == want)
        return n

    def colors(self, box=None):
        """The set of colours inside box=(x0, y0, x1, y1), inclusive."""
        x0, y0, x1, y1 = box or (0, 0, self.width - 1, self.height - 1)
        found = set()
        for y in range(y0, y1 + 1):
            row = self.rgb[3 * (y * self.width + x0):3 * (y * self.width + x1 + 1)]
            found.update(row[i:i + 3] for i in range(0, len(row), 3))
        return {tuple(c) for c in found}

    def save(self, path):
        """Writes a PNG, for looking at what a test saw."""
        raw = b"".join(b"\0" + self.rgb[3 * self.width * y:3 * self.width * (y + 1)]
                       for y in range(self.height))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(raw, 6)))
            f.write(chunk(b"IEND", b""))


class Message:
    """A message box (the library runs xmessage for allegro_message)."""

    def __init__(self, game, window, argv):
        self._game = game
        self.window = window
        self.argv = argv  # xmessage's command line, from WM_COMMAND
        self.text = argv[-1] if argv else ""

    def dismiss(self):
        self._game._delete_window(self.window)


class Result:
    def __init__(self, status, stdout, stderr):
        self.status = status  # exit status 0..255 (exit(-1) gives 255); -N: killed by signal N
        self.stdout = stdout
        self.stderr = stderr


class Game(Started):
    # The program in the run folder; a subclass may run it another way
    # through command() and environment().
    PROGRAM = "zepko"

    def __init__(self, config=None, save=None, remove=(), run_dir=None, screen="1024x768x24", display=True,
                 env=None):
        self.run_dir = run_dir or os.environ.get("ZEPKO_RUN_DIR")
        self.config = config
        self.save = save
        self.remove = list(remove)
        self.screen = screen
        self.display = display  # False: the game starts with DISPLAY unset
        self.env = env or {}  # added to the game's environment
        self.dir = None
        self.xvfb = None
        self.proc = None
        self.disp = None
        self.window = None
        self.result = None

    # --- lifetime -------------------------------------------------------

    def _open(self):
        self._start_x()
        self._lay_out()
        self.start()

    def _start_x(self):
        r, w = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", self.screen, "-nolisten", "tcp"],
            pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        number = b""
        with os.fdopen(r, "rb") as f:
            while not number.endswith(b"\n"):
                c = f.read(1)
                if not c:
                    raise E2EError("Xvfb did not start")
                number += c
        self._connected(xdisplay.Display(":" + number.decode().strip()))

    def _connected(self, disp):
        self.display_name = disp.get_display_name()
        self.disp = disp
        self.disp.change_keyboard_control(auto_repeat_mode=X.AutoRepeatModeOff)
        self.disp.sync()

    def _lay_out(self):
        if not self.run_dir or not os.path.isfile(os.path.join(self.run_dir, self.PROGRAM)):
            raise E2EError("ZEPKO_RUN_DIR must name a built run folder")
        self.dir = tempfile.mkdtemp(prefix="zepko-e2e-")
        self.game_dir = os.path.join(self.dir, "run")
        shutil.copytree(self.run_dir, self.game_dir, symlinks=True)
        if self.config is not None:
            if self.config == "":
                self._remove("config.txt")
            else:
                with open(self.path("config.txt"), "wb") as f:
                    f.write(self.config.encode("latin-1") if isinstance(self.config, str) else self.config)
        if self.save is not None:
            with open(self.path("save.bin"), "wb") as f:
                f.write(self.save)
        for p in self.remove:
            self._remove(p)

    def _remove(self, rel):
        p = self.path(rel)
        if os.path.isdir(p):
            shutil.rmtree(p)
        elif os.path.exists(p):
            os.remove(p)

    def asoundrc(self):
        """ALSA's settings for the game; a test may give it another device."""
        return ASOUNDRC % os.path.join(self.dir, "sound.raw")

    def command(self):
        return [os.path.join(self.game_dir, self.PROGRAM)]

    def start_folder(self):
        """The working folder the game starts in."""
        return self.game_dir

    def environment(self):
        return environ({"DISPLAY": self.display_name, "HOME": self.dir},
                       {} if self.display else {"DISPLAY": None}, self.env)

    def start(self):
        # ALSA's file plugin gives every game a sound device, so the music
        # really plays, and keeps what it played in sound.raw.
        with open(os.path.join(self.dir, ".asoundrc"), "w") as f:
            f.write(self.asoundrc())
        self._spawn(self.command(), self.start_folder(), self.environment())

    def _spawn(self, argv, cwd, env):
        """Starts the game, its output kept in the temporary folder."""
        self._out = open(os.path.join(self.dir, "stdout.txt"), "wb")
        self._err = open(os.path.join(self.dir, "stderr.txt"), "wb")
        self.proc = subprocess.Popen(argv, cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                                     stdout=self._out, stderr=self._err)

    def close(self):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        for f in (getattr(self, "_out", None), getattr(self, "_err", None)):
            if f:
                f.close()
        if self.disp:
            try:
                self.disp.close()
            except Exception:
                pass
            self.disp = None
        self._stop_x()
        if self.dir and not os.environ.get("ZEPKO_E2E_KEEP"):
            shutil.rmtree(self.dir, ignore_errors=True)

    def _stop_x(self):
        if self.xvfb:
            stop(self.xvfb)

    # --- files ------------------------------------------------------------

    def path(self, rel):
        return os.path.join(self.game_dir, rel)

    def exists(self, rel):
        return os.path.exists(self.path(rel))

    def read_bytes(self, rel):
        with open(self.path(rel), "rb") as f:
            return f.read()

    def read_text(self, rel):
        return self.read_bytes(rel).decode("latin-1")

    def mtime_ns(self, rel):
        return os.stat(self.path(rel)).st_mtime_ns

    # --- windows ----------------------------------------------------------

    def _toplevels(self):
        root = self.disp.screen().root
        for w in root.query_tree().children:
            try:
                if w.get_attributes().map_state != X.IsViewable:
                    continue
                yield w
            except xerror.BadWindow:
                continue

    def _name(self, w):
        try:
            return w.get_wm_name() or ""
        except xerror.BadWindow:
            return ""

    def _class(self, w):
        try:
            return w.get_wm_class() or ()
        except xerror.BadWindow:
            return ()

    def wait_for(self, what, probe, timeout=WAIT_SECONDS):
        """Polls `probe` until it returns something true and returns that."""
        return self._wait(what, probe, timeout)

    def _wait(self, what, probe, timeout=WAIT_SECONDS):
        return poll(what, probe, self._gone, timeout)

    def _gone(self, what):
        if self.proc and self.proc.poll() is not None and what != "exit":
            return (f"the game exited with status {self.proc.returncode} "
                    f"while waiting for {what}; stderr:\n{self._stderr_text()}")
        return None

    def wait_window(self, title="Zepko", settle=SETTLE_SECONDS):
        """Waits for the mapped window titled `title`, then lets the library settle."""
        def probe():
            for w in self._toplevels():
                if self._name(w) == title and "xmessage" not in self._class(w):
                    return w
            return None
        self.window = self._wait(f'window "{title}"', probe)
        time.sleep(settle)
        return self.window

    def window_size(self):
        g = self.window.get_geometry()
        return g.width, g.height

    def window_title(self):
        return self._name(self.window)

    def find_message(self):
        for w in self._toplevels():
            if "xmessage" in self._class(w):
                try:
                    prop = w.get_full_property(self.disp.intern_atom("WM_COMMAND"), Xatom.STRING)
                except xerror.BadWindow:
                    continue  # closed while we looked
                argv = prop.value.decode("latin-1").split("\0")[:-1] if prop else []
                return Message(self, w, argv)
        return None

    def wait_message(self, timeout=WAIT_SECONDS):
        return self._wait("a message box", self.find_message, timeout)

    def messages_seen(self, seconds):
        """Watches for `seconds` and returns each distinct message box that appeared."""
        seen = {}
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            m = self.find_message()
            if m and m.window.id not in seen:
                seen[m.window.id] = m
            time.sleep(0.05)
        return list(seen.values())

    def _delete_window(self, w):
        protocols = self.disp.intern_atom("WM_PROTOCOLS")
        delete = self.disp.intern_atom("WM_DELETE_WINDOW")
        ev = protocol.event.ClientMessage(window=w, client_type=protocols,
                                          data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        w.send_event(ev, event_mask=0)
        self.disp.sync()

    def close_window(self):
        """The window's close button, as a window manager delivers it."""
        self._delete_window(self.window)

    def close_and_wait(self):
        """close_window(), then wait_exit()."""
        self.close_window()
        return self.wait_exit()

    # --- input ------------------------------------------------------------
    # A player's keyboard and mouse reach the game through the seat: an X
    # connection, here to the game's own server. Under a compositor they
    # are the compositor's, as on a real desktop (WestonGame).

    @property
    def seat(self):
        return self.disp

    def window_origin(self):
        """Where the window's (0, 0) lies on the seat's screen: found once a
        window, so that it still answers once the window has gone."""
        if getattr(self, "_origin", (None,))[0] != self.window.id:
            self._origin = (self.window.id, self._find_origin())
        return self._origin[1]

    def _find_origin(self):
        t = self.window.translate_coords(self.disp.screen().root, 0, 0)
        return -t.x, -t.y

    def _xdotool(self, *args):
        env = environ({"DISPLAY": self.seat.get_display_name()})
        subprocess.run(["xdotool", *map(str, args)], env=env, check=True)

    def move(self, x, y):
        """Puts the pointer at (x, y) of the game window."""
        self._xdotool("mousemove", "--window", self.window.id, x, y)

    def click(self, x, y, hold=TAP_SECONDS, button=1):
        self.move(x, y)
        time.sleep(0.05)
        self._xdotool("mousedown", button)
        time.sleep(hold)
        self._xdotool("mouseup", button)

    def drag(self, *points, hold=TAP_SECONDS):
        """Presses at the first point, moves through the others with the button
        down, holding `hold` seconds at each, and releases at the last."""
        self.move(*points[0])
        time.sleep(0.05)
        self._xdotool("mousedown", 1)
        time.sleep(hold)
        for p in points[1:]:
            self.move(*p)
            time.sleep(hold)
        self._xdotool("mouseup", 1)

    def quick_key(self, name):
        """xdotool's own key press: down and up some 12 ms apart, often
        between two frames of the game."""
        self._xdotool("key", name)

    def quick_click(self, x, y):
        """xdotool's own click at (x, y): down and up a few ms apart."""
        self.move(x, y)
        time.sleep(0.05)
        self._xdotool("click", 1)

    def key_down(self, name):
        self._xdotool("keydown", name)

    def key_up(self, name):
        self._xdotool("keyup", name)

    def hold(self, name, seconds):
        """Keeps key `name` (an X keysym name: Escape, Return, Left, F1, l) down for `seconds`."""
        self.key_down(name)
        time.sleep(seconds)
        self.key_up(name)

    def tap(self, name):
        self.hold(name, TAP_SECONDS)

    # --- output -----------------------------------------------------------

    def screenshot(self):
        w, h = self.window_size()
        img = self.window.get_image(0, 0, w, h, X.ZPixmap, 0xFFFFFFFF)
        data = img.data if isinstance(img.data, bytes) else img.data.encode("latin-1")
        # 24-bit TrueColor server: 4 bytes a pixel, blue green red pad.
        rgb = bytearray(3 * w * h)
        rgb[0::3] = data[2::4]
        rgb[1::3] = data[1::4]
        rgb[2::3] = data[0::4]
        return Shot(w, h, bytes(rgb))

    def running(self):
        return self.proc.poll() is None

    def lose_display(self):
        """Kills the X server under the running game, as a crash of it would."""
        self.disp.close()
        self.disp = None
        self.xvfb.kill()
        self.xvfb.wait()

    def _stderr_text(self):
        self._err.flush()
        with open(os.path.join(self.dir, "stderr.txt"), "rb") as f:
            return f.read().decode("latin-1")

    def _backtraces(self):
        """Every thread's stack of the running game, for a hang's report."""
        gdb = shutil.which("gdb")
        if not gdb:
            return "(no gdb to show them)"
        r = subprocess.run([gdb, "-p", str(self.proc.pid), "-batch", "-nx",
                            "-ex", "thread apply all bt"],
                           stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=60)
        return r.stdout

    def wait_exit(self, timeout=WAIT_SECONDS):
        """Waits for the game to end; returns its Result."""
        try:
            self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise E2EError("the game did not exit; its threads:\n" + self._backtraces())
        self._out.flush()
        with open(os.path.join(self.dir, "stdout.txt"), "rb") as f:
            out = f.read().decode("latin-1")
        self.result = Result(self.proc.returncode, out, self._stderr_text())
        return self.result


class InstalledGame(Game):
    """An installed game started through its launcher, as a player with the
    given `home`: the files a test reads are the player's own, in
    $HOME/.local/share/zepko. `launcher` is a path, or a name looked up in
    `path` (a PATH value) the way a shell would. `env` changes the player's
    environment (a value of None removes the variable), `runner` comes before
    the launcher on its command line (setpriv, to play as another user), and
    sound=False gives the player no sound device of the test's."""

    def __init__(self, launcher, home, path=None, env=None, runner=(), sound=True, **kw):
        super().__init__(**kw)
        self.launcher = launcher
        self.home = home
        self.search_path = path
        self.env = env or {}
        self.runner = list(runner)
        self.sound = sound

    def _lay_out(self):
        self.dir = tempfile.mkdtemp(prefix="zepko-e2e-")
        self.game_dir = os.path.join(self.home, ".local", "share", "zepko")

    def start(self):
        # The player's sound device, as every e2e game has.
        if self.sound:
            with open(os.path.join(self.home, ".asoundrc"), "w") as f:
                f.write(self.asoundrc())
        env = player_environment(self.home, {"DISPLAY": self.display_name},
                                 {} if self.search_path is None else {"PATH": self.search_path}, self.env)
        self._spawn(self.runner + [self.launcher], "/", env)


def player_environment(home, *changes):
    """The environment of a player whose HOME is `home` (None: no HOME),
    with no XDG_DATA_HOME of the test's, and `changes` as environ() takes them."""
    return environ({"HOME": home, "XDG_DATA_HOME": None}, *changes)


def read_config(text):
    """Sections of a config.txt as {section: {key: value}}; keys before any
    section go under ""."""
    sections = {}
    current = sections.setdefault("", {})
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1], {})
        elif "=" in line and not line.startswith("#"):
            k, v = line.split("=", 1)
            current[k.strip()] = v.strip()
    return sections
