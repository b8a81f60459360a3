"""One session through every screen that draws several pictures without a
tick between them (the new-game box's opening, the level-complete panel),
played alike by a Game on X11 and by a WineGame, so that an update method
can be compared, checkpoint by checkpoint, with method 4, which copies one
memory buffer to the window.

    class PageFlipping(PageFlippingTests, unittest.TestCase):
        ENV = {"ZEPKO_TEST_VIDEO_PAGES": "3"}     # what the platform needs
        FOLDER = "x11-methods"                    # where differing pictures go

        def game(self, method, env):
            return Game(config=config(method), save=SAVE, env=env)

Only what changes with time is masked: the scrolling credit line of the
title screen, and on the level-complete panel the level's time and the
randomly chosen track title that the level's last picture shows below it;
and the parked pointer, which Wine's screenshots nudge.
"""

import os
import re
import shutil

from zepko_e2e import E2EError, e2e_folders, progress, read_config

e2e_folders("completo")
from jogador import LEVEL_POINT, PARK, Player, stored_solutions  # noqa: E402
from telas import ARROW_BACK, ARROW_NEXT, NEW_GAME, NO, PLAY  # noqa: E402
from telas import on_first_page, on_new_game_box, on_second_page, on_title, quit_from_first_page  # noqa: E402

SAVE = progress(1)  # only level 1 open

# Boxes (x, y, w, h) of the window.
CREDIT_LINE = (0, 585, 495, 8)      # 34 letters of the built-in font, from x 0 to 223
PANEL_TIME = (389, 264, 86, 19)     # minutes and seconds: up to two digits each
TRACK_TITLE = (264, 566, 273, 16)   # the twelve titles light x 266..534, y 568..580

MASKS = {
    "title": [CREDIT_LINE],
    "level-complete panel": [PANEL_TIME, TRACK_TITLE],
}
# The pointer, parked at PARK in every checkpoint: under Wine each screenshot
# nudges it to wake the window thread, and the game may read it a pixel or
# two off once it has been nudged often. Only the background lies there.
POINTER = (PARK[0] - 12, 0, 800 - (PARK[0] - 12), PARK[1] + 32)

# Neither a window on X11 nor one on DirectX can triple-buffer: methods 1
# and 5 fall back to their page flipping, never further.
IN_FORCE = {1: 2, 2: 2, 5: 6, 6: 6}

# Equal pictures in a row that make a match: pages that alternate two
# pictures match now and then, never this often.
STEADY = 3

# How long a method may take to show what the reference showed: far more
# than a working game needs, so that only a wrong or frozen picture fails.
MATCH_SECONDS = 10.0


def config(method):
    return f"[Inicializacao]\ncolordepth = 32\nupdatemethod = {method}\n"


def masked(shot, name):
    rgb = bytearray(shot.rgb)
    for x, y, w, h in [POINTER, *MASKS.get(name, ())]:
        for row in range(y, y + h):
            i = 3 * (row * shot.width + x)
            rgb[i:i + 3 * w] = bytes(3 * w)
    return bytes(rgb)


def method_in_force(g):
    """The update method the game reports on stderr at start-up."""
    found = g.wait_for("the update method on stderr",
                       lambda: re.search(r"zepko: update method (\d)", g._stderr_text()))
    return int(found.group(1))


def play(g, checkpoint, detours=True):
    """Plays the session; checkpoint(g, name, ready) is called at each stop,
    where `ready` tells whether the screen has arrived. Returns the exit's
    Result. Without `detours`: no new-game box and no second page."""
    p = getattr(g, "PLAYER", Player)(g)  # a game not on X brings its own
    g.wait_window()
    checkpoint(g, "title", lambda: on_title(g.screenshot()))
    box = [(NEW_GAME, "new-game box", on_new_game_box), (NO, "first page, box closed", on_first_page)]
    visit(g, checkpoint, [(PLAY, "first page", on_first_page)] + (box if detours else []))
    g.click(*LEVEL_POINT[1])
    p.wait_level()
    g.move(*PARK)
    p.play(stored_solutions()[1][2])
    checkpoint(g, "level-complete panel", p.complete_panel)
    g.tap("Return")
    checkpoint(g, "first page, level 2 open", lambda: on_first_page(g))
    if detours:
        visit(g, checkpoint, [(ARROW_NEXT, "second page", on_second_page),
                              (ARROW_BACK, "first page again", on_first_page)])
    return quit_from_first_page(g)


def visit(g, checkpoint, stops):
    """Clicks each stop's point and checks the screen it leads to."""
    for point, name, on_screen in stops:
        g.click(*point)
        checkpoint(g, name, lambda: on_screen(g))


def methods_against_four(new_game, mode, folder):
    """Plays the session with method 4, then with 1, 2, 5 and 6 against it,
    each in the game that new_game(method) returns; returns the faults:
    a picture that differs, a method not in force, a game that froze or
    did not end and write its settings back."""
    reference = Reference()
    faults = []

    def session(method, checkpoint):
        label = f"method {method}, {mode}"
        try:
            with new_game(method) as g:
                in_force = method_in_force(g)
                result = play(g, checkpoint)
                written = read_config(g.read_text("config.txt")).get("Inicializacao", {})
        except AssertionError as e:  # a frozen game, or one that ended wrong
            faults.append(f"{label}: {e}")
            return
        if in_force != IN_FORCE.get(method, method):
            faults.append(f"{label}: method {in_force} in force")
        if result.status != 0 or written.get("updatemethod") != str(method):
            faults.append(f"{label}: exit status {result.status}, settings written {written}")

    session(4, reference)
    if faults:
        return faults
    for method in (1, 2, 5, 6):
        compare = Comparison(reference, f"method {method}, {mode}", folder)
        session(method, compare)
        faults += compare.differences
    return faults


class PageFlippingTests:
    """The tests of one platform, for a unittest.TestCase that gives ENV,
    FOLDER and game(method, env): methods 1, 2, 5 and 6 against method 4,
    drawn by changes and drawn whole."""

    maxDiff = None  # every fault of a failed run, not the first alone

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        shutil.rmtree(cls.FOLDER, ignore_errors=True)

    def against_four(self, mode, present):
        env = dict(self.ENV, ZEPKO_PRESENT=present)
        self.assertEqual(methods_against_four(lambda method: self.game(method, env), mode,
                                              os.path.abspath(self.FOLDER)), [])

    def test_drawn_by_changes(self):
        self.against_four("drawn by changes", "")

    def test_drawn_whole(self):
        self.against_four("drawn whole", "full")


class Reference:
    """Keeps, at each checkpoint, the picture once the screen has arrived
    and two pictures in a row agree, compared as `mask` leaves them (by
    default with what changes with time masked)."""

    def __init__(self, mask=None):
        self.shots = {}
        self.mask = mask or masked

    def __call__(self, g, name, ready):
        g.wait_for(name, ready)
        g.move(*PARK)
        last = [None]

        def settled():
            shot = g.screenshot()
            same = self.mask(shot, name) == last[0]
            last[0] = self.mask(shot, name)
            return shot if same else None
        self.shots[name] = g.wait_for(f"{name} to settle", settled)


class Comparison:
    """Waits, at each checkpoint, for the reference's picture. A picture
    that never comes is written to `folder` with the reference's beside it
    and noted in `differences`; the session goes on to its next stop."""

    def __init__(self, reference, label, folder):
        self.reference = reference
        self.label = label
        self.folder = folder
        self.differences = []

    def __call__(self, g, name, ready):
        g.move(*PARK)
        mask = self.reference.mask
        want = mask(self.reference.shots[name], name)
        last = [None]
        equal = [0]

        def same():
            last[0] = g.screenshot()
            equal[0] = equal[0] + 1 if mask(last[0], name) == want else 0
            return equal[0] >= STEADY
        try:
            g.wait_for(f"{name} as the reference shows it", same, timeout=MATCH_SECONDS)
        except E2EError as e:
            if not g.running():
                raise
            self.differences.append(self._note(name, last[0], str(e)))

    def _note(self, name, shot, why):
        stem = re.sub(r"[^a-z0-9]+", "-", f"{self.label} {name}".lower()).strip("-")
        os.makedirs(self.folder, exist_ok=True)
        got = os.path.join(self.folder, stem + ".png")
        shot.save(got)
        self.reference.shots[name].save(os.path.join(self.folder, stem + "-reference.png"))
        want = self.reference.mask(self.reference.shots[name], name)
        have = self.reference.mask(shot, name)
        differ = [i // 3 for i in range(0, len(want), 3) if want[i:i + 3] != have[i:i + 3]]
        xs = [i % shot.width for i in differ]
        ys = [i // shot.width for i in differ]
        where = f"{len(differ)} pixels differ within x {min(xs)}..{max(xs)}, y {min(ys)}..{max(ys)}" \
            if differ else why
        return f"{self.label}, {name}: {where} (see {got})"
