"""The game on a Wayland desktop: a weston compositor with Xwayland, weston
itself a window of the test's Xvfb (its x11 back end, drawn by the CPU),
whose keyboard and mouse are weston's seat, as a player's devices are.
Title, level 1 solved, the level-complete panel, Enter, and out: each stop
must look as it does under the plain Xvfb session played first, but for the
clock and the track title, and the game must end with status 0."""

import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

from Xlib import X, display as xdisplay, error as xerror
from Xlib.ext import xtest
from Xlib.protocol import display as xprotocol, event as xevent

from zepko_e2e import ClicksOnCursor, Game, environ, poll, progress, stop
from sessao_metodos import SAVE, Comparison, Reference, play


class WestonGame(ClicksOnCursor, Game):
    """A Game whose X server is the Xwayland of a weston inside the Xvfb."""

    def _start_x(self):
        super()._start_x()
        self.xvfb_disp, self.disp = self.disp, None
        self.runtime = tempfile.mkdtemp(prefix="zepko-weston-")
        log = os.path.join(self.runtime, "weston.log")
        # Weston 12 and later name the renderer; 10 has only --use-pixman.
        help_text = subprocess.run(["weston", "--help"], capture_output=True, text=True).stdout
        renderer = "--renderer=pixman" if "--renderer" in help_text else "--use-pixman"
        env = environ(dict(DISPLAY=self.display_name, XDG_RUNTIME_DIR=self.runtime,
                           WAYLAND_DISPLAY=None, WAYLAND_SOCKET=None))
        self.weston = subprocess.Popen(
            ["weston", "--backend=x11-backend.so", renderer, "--xwayland", "--idle-time=0",
             "--width=1024", "--height=768", "--socket=zepko-wayland", f"--log={log}"],
            env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        number = self._poll("weston's Xwayland display", lambda: self._display_in(log))
        self.display_name = ":" + number
        # The first client starts Xwayland; it may take a moment to answer.
        self._connected(self._poll("Xwayland", self._connect))

    # Input goes to the Xvfb, where weston takes it as its seat's and hands
    # it to Xwayland. Put into Xwayland itself, it would race weston: the
    # pointer jumps back to weston's when the window first gets its focus.
    @property
    def seat(self):
        return self.xvfb_disp

    def _find_origin(self):
        # By pointing: where weston shows the window need not be where
        # Xwayland says it is (weston 10 places windows at random).
        return self._poll("the window under weston's pointer", self._point)

    def _point(self):
        # From weston's panel, off every window (weston 10 hands a window the
        # pointer only as the pointer enters it), to two points near the
        # output's middle, which an 800 x 600 window on a 1024 x 768 output
        # always covers: Xwayland reports both at one origin once they arrive.
        at = []
        for x, y in [(2, 2), (505, 380), (512, 385)]:
            xtest.fake_input(self.seat, X.MotionNotify, x=x, y=y)
            self.seat.sync()
            time.sleep(0.1)
            q = self.window.query_pointer()
            at.append((x - q.win_x, y - q.win_y))
        return at[1] == at[2] and at[2]

    def move(self, x, y):
        ox, oy = self.window_origin()
        self._xdotool("mousemove", ox + x, oy + y)

    def _poll(self, what, probe):
        return poll(what, probe, lambda what: self.weston.poll() is not None and (
            f"weston exited with status {self.weston.returncode} while waiting for {what}"))

    @staticmethod
    def _display_in(log):
        try:
            with open(log, encoding="utf-8", errors="replace") as f:
                found = re.search(r"xserver listening on display :(\d+)", f.read())
        except FileNotFoundError:
            return None
        return found and found.group(1)

    def _connect(self):
        # python-xlib keeps the extensions' event codes in one table that all
        # its connections share, and Xwayland numbers them unlike Xvfb: this
        # connection gets a table of its own.
        shared = xprotocol.Display.event_classes
        xprotocol.Display.event_classes = xevent.event_class.copy()
        try:
            d = xdisplay.Display(self.display_name)
            d.display.event_classes = xprotocol.Display.event_classes
            return d
        except Exception:  # Xwayland still starting
            return None
        finally:
            xprotocol.Display.event_classes = shared

    def _toplevels(self):
        # Weston's window manager puts each client window inside a frame.
        for frame in super()._toplevels():
            yield frame
            try:
                children = frame.query_tree().children
            except xerror.BadWindow:
                continue
            for w in children:
                try:
                    if w.get_attributes().map_state == X.IsViewable:
                        yield w
                except xerror.BadWindow:
                    continue

    def _stop_x(self):
        # The game and its connection are gone by now.
        weston = getattr(self, "weston", None)
        if weston:
            stop(weston)  # takes its Xwayland with it
        if getattr(self, "xvfb_disp", None):
            self.xvfb_disp.close()
            self.xvfb_disp = None
        super()._stop_x()

    def close(self):
        super().close()
        if getattr(self, "runtime", None):
            shutil.rmtree(self.runtime, ignore_errors=True)


class Wayland(unittest.TestCase):
    def test_level_one_looks_as_under_xvfb_and_ends_cleanly(self):
        reference = Reference()
        with Game(save=SAVE) as g:
            res = play(g, reference, detours=False)
        self.assertEqual(res.status, 0, res.stderr)
        compare = Comparison(reference, "weston", os.path.abspath("wayland"))
        with WestonGame(save=SAVE) as g:
            try:
                res = play(g, compare, detours=False)
            except AssertionError as e:  # a stop the session could not pass
                raise AssertionError(f"{e}; pictures that differed before it: {compare.differences}")
            saved = g.read_bytes("save.bin")
        self.assertEqual(compare.differences, [])
        self.assertEqual(res.status, 0, res.stderr)
        self.assertEqual(saved, progress(2))


if __name__ == "__main__":
    unittest.main()
