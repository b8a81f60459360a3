"""The game from the Windows zip, run under Wine on top of zepko_e2e.Game.

    python3 wine_game.py --setup     makes the Wine prefix (WINEPREFIX) once,
                                     outside the tests' own time

WineGame(run_dir=<unpacked zip folder>) runs zepko.exe there; the library's
message boxes are Wine's own windows, whose text Wine's msgbox trace gives.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

from Xlib import Xatom, error as xerror

from zepko_e2e import ClicksOnCursor, Game, Message

# Wine's debugger is kept from starting, so a crash ends the run at once
# instead of waiting in a debugger; Mono and Gecko are never asked for.
DLL_OVERRIDES = "winedbg.exe=d;mscoree=d;mshtml=d"
# The 64-bit loader itself, in a 64-bit prefix: Debian's wine command takes
# the 32-bit one whenever that is installed, and some machines run no
# 32-bit program at all.
WINE = "/usr/lib/wine/wine64"


def prefix():
    path = os.environ.get("WINEPREFIX")
    if not path:
        raise AssertionError("WINEPREFIX must name the tests' Wine prefix")
    return path


def wine_env(**extra):
    env = dict(os.environ, WINEPREFIX=prefix(), WINEARCH="win64", WINELOADER=WINE,
               WINEDEBUG="-all", WINEDLLOVERRIDES=DLL_OVERRIDES)
    env.update(extra)
    return env


def setup_prefix():
    try:
        with open(os.path.join(prefix(), "system.reg")) as f:
            if "#arch=win64" in f.read(4096):
                return
    except FileNotFoundError:
        pass
    # None yet, or a 32-bit one that an earlier build made: a prefix keeps
    # the architecture it was made with.
    shutil.rmtree(prefix(), ignore_errors=True)
    env = wine_env()
    env.pop("DISPLAY", None)
    subprocess.run([WINE, "wineboot", "--init"], env=env, check=True)
    subprocess.run(["wineserver", "--wait"], env=env, check=True)


def unpack_zip(prefix):
    """The players' zip (ZEPKO_ZIP) unpacked into a new temporary folder:
    that folder, and the game's folder in it."""
    tmp = tempfile.mkdtemp(prefix=prefix)
    with zipfile.ZipFile(os.environ["ZEPKO_ZIP"]) as z:
        z.extractall(tmp)
    return tmp, os.path.join(tmp, "zepko")


class WineGame(ClicksOnCursor, Game):
    PROGRAM = "zepko.exe"

    def command(self):
        return [WINE, self.path(self.PROGRAM)]

    def environment(self):
        env = super().environment()
        env.update(wine_env(DISPLAY=self.display_name, HOME=self.dir,
                            WINEDEBUG="-all,trace+msgbox"))
        return env

    def wait_window(self, *args, **kw):
        # The input focus, which a window manager gives a new window and
        # Xvfb alone never does: Wine then deactivates the window when it
        # loses the focus on the way out, a path every exit must survive.
        window = super().wait_window(*args, **kw)
        self._xdotool("windowfocus", "--sync", window.id)
        return window

    def screenshot(self):
        # Wine copies a window's drawing to X only when a thread of the
        # program next waits for messages (at most every 50 ms), so the last
        # frame before the game stops drawing can stay unshown; a pointer
        # nudge wakes the window thread, which shows it.
        self._xdotool("mousemove_relative", "--", 1, 0)
        self._xdotool("mousemove_relative", "--", -1, 0)
        time.sleep(0.06)
        return super().screenshot()

    def find_message(self):
        # Wine marks a message box as a dialog window; its title may be the
        # game window's own.
        dialog = self.disp.intern_atom("_NET_WM_WINDOW_TYPE_DIALOG")
        for w in self._toplevels():
            if "zepko.exe" in self._class(w) and dialog in self._window_types(w):
                texts = re.findall(r'MSGBOX_OnInit L"(.*)"', self._stderr_text())
                if texts:
                    return Message(self, w, [texts[-1]])
        return None

    def _window_types(self, w):
        try:
            prop = w.get_full_property(self.disp.intern_atom("_NET_WM_WINDOW_TYPE"), Xatom.ATOM)
        except xerror.BadWindow:
            return []
        return list(prop.value) if prop else []


if __name__ == "__main__" and sys.argv[1:] == ["--setup"]:
    setup_prefix()
