"""Plays the game the way a person does, on top of zepko_e2e.Game: arrow
keys with a handshake on the step counter, screen probes for the level
screens, and expected pictures and texts drawn by zepko-amostra with the
game's own files."""

import os
import subprocess
import time

from Xlib import X, XK
from Xlib.ext import xtest

from zepko_e2e import e2e_folders

e2e_folders("menus")
from telas import ARROW_BACK, ARROW_NEXT, PLAY, WHITE  # noqa: E402,F401  (re-exported for the tests)

BLACK = (0, 0, 0)
PANEL = (50, 50, 50)          # status bar of a level
VALUE = (63, 72, 204)         # numbers on the level-complete panel
GREY_150 = (150, 150, 150)

# Level buttons of both pages: a point well inside each range, clear of the
# undo and restart buttons that the level opens under the pointer.
LEVEL_POINT = {1: (107, 142), 2: (269, 142), 3: (464, 142), 4: (662, 137),
               5: (91, 345), 6: (273, 345), 7: (457, 345), 8: (658, 345),
               9: (402, 246), 10: (737, 547)}
PARK = (790, 8)               # touches no button of any screen
# Padlocks: level -> top-left corner, and the page they are drawn on.
PADLOCK = {2: (220, 220), 3: (415, 220), 4: (629, 220), 5: (55, 429),
           6: (220, 429), 7: (415, 429), 8: (629, 429), 9: (360, 346)}

STEPS_VALUE = (580, 460, 110, 30)   # "Passos" number on the status bar
ARROWS = {"C": "Up", "B": "Down", "E": "Left", "D": "Right"}
MIN_HOLD = 0.06
GAP = 0.03
# The library repeats a held key by itself after 250 ms: a press is never
# held that long, or one press could make two moves.
MAX_HOLD = 0.2
# How long a press the game took while the key was down may take to show.
SETTLE = 3.0
ATTEMPTS = 4
STORED = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "unit", "play", "solucoes.txt")


def amostra():
    path = os.environ.get("ZEPKO_AMOSTRA")
    if not path:
        raise AssertionError("ZEPKO_AMOSTRA must name the zepko-amostra program")
    return path


def solutions():
    """{level: (steps, pushes, arrows)} from the level solver."""
    path = os.environ.get("ZEPKO_SOLVER")
    if not path:
        raise AssertionError("ZEPKO_SOLVER must name the level solver")
    return _read_solutions(subprocess.run([path], check=True, capture_output=True, text=True).stdout)


def stored_solutions():
    """The same from the solver's output kept in the source, for a game
    installed where the solver was not built."""
    with open(STORED) as f:
        return _read_solutions(f.read())


def _read_solutions(text):
    found = {}
    for line in text.splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        n, steps, pushes, arrows = line.split()
        found[int(n)] = (int(steps), int(pushes), arrows)
    return found


def text_masks(font, color, size, lines):
    """For each line (a list of (x, text)), the W*H bytes mask of what the
    game's textprintf_ex lights in `color`."""
    w, h = size
    data = "".join("\t".join(f"{x}\t{t}" for x, t in line) + "\n" for line in lines)
    out = subprocess.run([amostra(), "texto", font, *map(str, color), str(w), str(h)],
                         input=data.encode("latin-1"), check=True, capture_output=True).stdout
    if len(out) != w * h * len(lines):
        raise AssertionError("zepko-amostra gave a mask of the wrong size")
    return [out[i * w * h:(i + 1) * w * h] for i in range(len(lines))]


def picture_area(picture, box, sprite=None):
    """RGB bytes of box=(x, y, w, h) of a picture file, optionally with
    sprite=(file, x, y) drawn over it first."""
    x, y, w, h = box
    args = [amostra(), "imagem", picture, str(x), str(y), str(w), str(h)]
    if sprite:
        args += [sprite[0], str(sprite[1]), str(sprite[2])]
    return subprocess.run(args, check=True, capture_output=True).stdout


def gif_size(path):
    with open(path, "rb") as f:
        head = f.read(10)
    return int.from_bytes(head[6:8], "little"), int.from_bytes(head[8:10], "little")


def expect_padlocks(g, p, page, opened):
    """Padlocks on `page` (1 or 2) with `opened` as the highest open level:
    each padlock area of the window must be the page's background with the
    padlock drawn over it where the level is locked, the bare background
    where it is open."""
    g.move(*PARK)
    padlock = g.path("img/cadeado.gif")
    w, h = gif_size(padlock)
    background = g.path("img/stgs.bmp" if page == 1 else "img/stgs2.bmp")
    for k in (range(2, 9) if page == 1 else [9]):
        x, y = PADLOCK[k]
        box = (x, y, w, h)
        locked = opened < k
        want = picture_area(background, box, (padlock, x, y) if locked else None)
        if locked and want == picture_area(background, box):
            raise AssertionError("the padlock picture is invisible")
        g.wait_for(f"level {k}'s padlock {'shown' if locked else 'gone'}",
                   lambda: p.area_rgb(box) == want, timeout=5)


def near(got, want, tol):
    return all(abs(a - b) <= tol for a, b in zip(got, want))


class Player:
    def __init__(self, game, tol=0):
        self.g = game
        self.seat = game.seat
        # Colour error allowed in probes: 15- and 16-bit modes round colours.
        self.tol = tol

    # --- fast X input (XTEST, without a process per key) ----------------

    def _code(self, name):
        code = self.seat.keysym_to_keycode(XK.string_to_keysym(name))
        if not code:
            raise AssertionError(f"no key code for {name}")
        return code

    def key(self, name, down):
        xtest.fake_input(self.seat, X.KeyPress if down else X.KeyRelease, self._code(name))
        self.seat.sync()

    def press(self, name, hold):
        """Key `name` down for `hold` seconds."""
        self.key(name, True)
        time.sleep(hold)
        self.key(name, False)

    def pointer(self, x, y):
        """Moves the pointer to (x, y) of the window; still safe once the
        window has gone."""
        ox, oy = self.g.window_origin()
        xtest.fake_input(self.seat, X.MotionNotify, x=ox + x, y=oy + y)
        self.seat.sync()

    def button(self, down, number=1):
        xtest.fake_input(self.seat, X.ButtonPress if down else X.ButtonRelease, number)
        self.seat.sync()

    # --- reading the window ---------------------------------------------

    def area(self, box):
        """Raw pixels of box=(x, y, w, h) of the game window, as the server has them."""
        x, y, w, h = box
        img = self.g.window.get_image(x, y, w, h, X.ZPixmap, 0xFFFFFFFF)
        return img.data if isinstance(img.data, bytes) else img.data.encode("latin-1")

    def area_rgb(self, box):
        data = self.area(box)
        rgb = bytearray(len(data) // 4 * 3)
        rgb[0::3] = data[2::4]
        rgb[1::3] = data[1::4]
        rgb[2::3] = data[0::4]
        return bytes(rgb)

    def color_mask(self, box, color):
        rgb = self.area_rgb(box)
        want = bytes(color)
        return bytes(int(rgb[i:i + 3] == want) for i in range(0, len(rgb), 3))

    # --- screens ------------------------------------------------------------

    def _all(self, shot, probes):
        return all(near(shot.pixel(x, y), c, self.tol) for x, y, c in probes)

    def on_title(self):
        bar = (30, 30, 30)
        return self._all(self.g.screenshot(), [(0, 590, bar), (400, 590, bar), (799, 590, bar)])

    def in_level(self):
        return self._all(self.g.screenshot(), [(700, 545, PANEL), (60, 545, PANEL)])

    def complete_panel(self):
        return self._all(self.g.screenshot(), [(400, 215, WHITE), (400, 214, GREY_150),
                                               (400, 216, GREY_150), (180, 300, BLACK)])

    def wait_level(self):
        self.g.wait_for("the level screen", self.in_level)

    def wait_complete(self):
        self.g.wait_for("the level-complete panel", self.complete_panel)

    # --- playing -------------------------------------------------------------

    def step(self, arrow):
        """One arrow press, held until the step counter shows it was taken
        (at most MAX_HOLD). A press the game reached only after the release
        finds no arrow down and moves nothing, so it is made again."""
        before = self.area(STEPS_VALUE)
        name = ARROWS[arrow]
        for _ in range(ATTEMPTS):
            pressed = time.monotonic()
            self.key(name, True)
            try:
                self._wait_steps_change(before, pressed + MAX_HOLD)
                rest = MIN_HOLD - (time.monotonic() - pressed)
                if rest > 0:
                    time.sleep(rest)
            finally:
                self.key(name, False)
            if self._wait_steps_change(before, time.monotonic() + SETTLE):
                time.sleep(GAP)
                return
        raise AssertionError(f"the press of {name} was not taken")

    def _wait_steps_change(self, before, deadline):
        while self.area(STEPS_VALUE) == before:
            if not self.g.running():
                raise AssertionError("the game ended during a level")
            if time.monotonic() > deadline:
                return False
            time.sleep(0.003)
        return True

    def play(self, arrows):
        for a in arrows:
            self.step(a)


class Level1:
    """Level 1's way through from the title screen, for the robustness runs
    where pictures or fonts may be missing: it relies only on what the frames
    draw themselves (status panel, white frames) and on save.bin."""

    def __init__(self, game, tol=0):
        self.g = game
        self.p = Player(game, tol)

    def first_page(self):
        def hovered():
            self.g.move(*LEVEL_POINT[1])
            return self.p._all(self.g.screenshot(), [(35, 70, WHITE), (180, 215, WHITE)])
        self.g.wait_for("the first level-select page", hovered)

    def open_level(self, k=1):
        self.g.click(*LEVEL_POINT[k])
        self.p.wait_level()

    def enter(self, k=1):
        """From the title screen into level k."""
        self.g.click(*PLAY)
        self.first_page()
        self.open_level(k)

    def blind(self, arrows, hold=0.18, gap=0.1):
        """Arrow presses at a fixed pace, for when no counter is drawn: held
        long enough for a slow frame, short of the library's key repeat."""
        for a in arrows:
            self.p.press(ARROWS[a], hold)
            time.sleep(gap)

    def solve(self, arrows, counters=True):
        """Plays the solution and waits until the level-complete panel shows
        (save.bin is written by then); Enter then closes it."""
        if counters:
            self.p.play(arrows)
        else:
            self.blind(arrows)
        # Enter counts only once the panel has been drawn to its end; its
        # lines are drawn by the game itself, whatever files are missing.
        self.g.wait_for("the finished level-complete panel", self.p.complete_panel)
        self.g.tap("Return")
        self.g.wait_for("the level to close", lambda: not self.p.in_level())
