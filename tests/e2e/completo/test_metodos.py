"""The update methods that flip pages, on the X11 driver with real video
pages: one session per method (1, 2, 5, 6) and way of presenting (drawn by
changes, drawn whole), which must show at every checkpoint what method 4
shows, never freeze, and exit cleanly. Method 4 draws into memory and blits
one page, so it is the reference picture."""

import concurrent.futures
import os
import re
import shutil
import sys
import time
import unittest

from zepko_e2e import E2EError, Game, read_config
import jogador
from jogador import ARROW_BACK, ARROW_NEXT, LEVEL_POINT, PARK, PLAY, Player
import telas

# A virtual screen three pages high: the X11 driver then gives video pages.
PAGES = "3"
REFERENCE = 4
FLIPPING = (1, 2, 5, 6)

# What changes with time, as inclusive boxes (x0, y0, x1, y1). The title's
# credit line glides over x 0..223 (titulo.cpp): 34 characters of the 8x8
# font from y 585.
CREDIT = (0, 585, 494, 592)
# The randomly chosen track title, centred on x 400 at y 565 in arial14
# (desenhoFase.cpp): the box that every title's lit pixels fit in.
TRACK = (266, 568, 534, 580)
# The panel's minutes at (390, 260) and seconds at (443, 260), cooperblack22
# (fimDeFase.cpp): where any clock number lights pixels; " : " stays.
PANEL_CLOCK = ((391, 265, 418, 280), (444, 265, 471, 280))

# A right picture shows within a second or two, even on a loaded machine.
MATCH_SECONDS = 10.0
POLL = 0.1
# Consecutive equal shots that make a picture steady: a page flip that
# alternates two pictures matches now and then, never this often.
STEADY = 4
# The level-complete panel must stay whole while the game waits for Enter.
PANEL_HOLD = 1.5
# Sessions at once: each runs its own X server and game.
WORKERS = 4
FAILED_SHOTS = "metodos"

NEW_GAME_LINES = [(300, 309, (150, 150, 150)), (300, 310, telas.WHITE), (300, 311, (150, 150, 150))]


class SessionError(AssertionError):
    """A session that could not go on: the game froze or lost its way."""


def masked(shot, boxes):
    """The picture's RGB bytes with `boxes` blanked."""
    rgb = bytearray(shot.rgb)
    for x0, y0, x1, y1 in boxes:
        for y in range(y0, y1 + 1):
            i = 3 * (y * shot.width + x0)
            rgb[i:i + 3 * (x1 - x0 + 1)] = bytes(3 * (x1 - x0 + 1))
    return bytes(rgb)


def difference(a, b, width):
    """How many pixels differ between two masked pictures, and their bounding box."""
    xs, ys = [], []
    for i in range(0, len(a), 3):
        if a[i:i + 3] != b[i:i + 3]:
            xs.append(i // 3 % width)
            ys.append(i // 3 // width)
    if not xs:
        return "no pixel"
    return f"{len(xs)} pixels within ({min(xs)}, {min(ys)})-({max(xs)}, {max(ys)})"


class PagedGame(Game):
    """The game with `updatemethod`, room for video pages, drawn whole when
    `full`, else by changes."""

    def __init__(self, method, full):
        super().__init__(config=f"[Inicializacao]\ncolordepth = 32\nupdatemethod = {method}\n",
                         save=(1).to_bytes(4, "little"))
        self.full = full

    def environment(self):
        env = dict(super().environment(), ZEPKO_TEST_VIDEO_PAGES=PAGES)
        env.pop("ZEPKO_PRESENT", None)
        if self.full:
            env["ZEPKO_PRESENT"] = "full"
        return env


class Session:
    """Title, first page, the new-game box opened and closed with "no",
    level 1 solved through its panel and Enter, the second page and back,
    the title and exit. With no `reference` it records each checkpoint's
    steady picture; with one, each checkpoint must come to that picture."""

    def __init__(self, method, full, arrows, reference=None):
        self.method = method
        self.full = full
        self.arrows = arrows
        self.reference = reference
        self.name = f"method {method}, {'drawn whole' if full else 'drawn by changes'}"
        self.shots = {}
        self.differences = []
        self.in_force = None
        self.seconds = None

    def run(self):
        began = time.monotonic()
        try:
            with PagedGame(self.method, self.full) as g:
                self.g = g
                self._play(g, Player(g))
        finally:
            self.seconds = time.monotonic() - began
        return self

    def _play(self, g, p):
        g.wait_window()
        found = re.search(r"zepko: update method (\d)", g._stderr_text())
        self.in_force = int(found.group(1)) if found else None
        self.ready("title", lambda: telas.wait_title(g))
        self.checkpoint("title", CREDIT)
        g.click(*PLAY)
        self.ready("first page", lambda: telas.wait_first_page(g))
        self.checkpoint("first page")
        g.click(*telas.NEW_GAME)
        # The reference waits for the grown box and the finished panel by
        # their probes; in the other sessions a wrong picture there is what
        # the comparison reports.
        recording = self.reference is None
        if recording:
            self.ready("new-game box", lambda: g.wait_for("the new-game box", self._box_open))
        self.checkpoint("new-game box")
        g.click(*telas.NO)
        self.ready("first page after no", lambda: telas.wait_first_page(g))
        self.checkpoint("first page after no")
        g.click(*LEVEL_POINT[1])
        self.ready("level 1", p.wait_level)
        self.checkpoint("level 1", TRACK)
        self.ready("level 1 played", lambda: p.play(self.arrows))
        if recording:
            self.ready("level-complete panel", p.wait_complete)
        self.checkpoint("level-complete panel", TRACK, *PANEL_CLOCK, hold=PANEL_HOLD)
        g.tap("Return")
        self.ready("first page after the panel", lambda: telas.wait_first_page(g))
        self.checkpoint("first page, level 2 open")
        g.click(*ARROW_NEXT)
        self.ready("second page", lambda: telas.wait_second_page(g))
        self.checkpoint("second page")
        g.click(*ARROW_BACK)
        self.ready("first page from the second", lambda: telas.wait_first_page(g))
        self.checkpoint("first page from the second")
        g.tap("Escape")
        self.ready("title again", lambda: telas.wait_title(g))
        self.checkpoint("title again", CREDIT)
        g.tap("Escape")
        res = g.wait_exit()
        if res.status != 0:
            raise SessionError(f"{self.name}: exit status {res.status}; stderr:\n{res.stderr}")
        self.config = read_config(g.read_text("config.txt")).get("Inicializacao", {})

    def _box_open(self):
        shot = self.g.screenshot()
        return all(shot.pixel(x, y) == c for x, y, c in NEW_GAME_LINES)

    # --- steps -----------------------------------------------------------

    def ready(self, what, wait):
        """Runs a bounded wait; a timeout ends the session, telling a frozen
        game from one that went elsewhere."""
        try:
            wait()
        except (E2EError, AssertionError) as e:
            if self.g.running() and not self._follows_pointer():
                raise SessionError(f"{self.name}: the game froze at {what}: the window no "
                                   f"longer follows the pointer ({e}); its threads:\n"
                                   f"{self.g._backtraces()}") from None
            raise SessionError(f"{self.name}: {what} never came: {e}") from None

    def _follows_pointer(self):
        """Whether frames still run: every screen draws the cursor where the pointer is."""
        before = self.g.screenshot().rgb
        for spot in ((700, 20), (600, 40)):
            self.g.move(*spot)
            end = time.monotonic() + 2
            while time.monotonic() < end:
                if self.g.screenshot().rgb != before:
                    return True
                time.sleep(POLL)
        return False

    def checkpoint(self, name, *masks, hold=0.0):
        g = self.g
        g.move(*PARK)
        if self.reference is None:
            self.shots[name] = self._steady(name, masks)
            return
        want = masked(self.reference[name], masks)
        end = time.monotonic() + MATCH_SECONDS
        equal = 0
        while equal < STEADY and time.monotonic() < end:
            shot = g.screenshot()
            equal = equal + 1 if masked(shot, masks) == want else 0
            time.sleep(POLL)
        if equal == STEADY:
            end = time.monotonic() + hold
            while time.monotonic() < end:
                shot = g.screenshot()
                if masked(shot, masks) != want:
                    break
                time.sleep(POLL)
            else:
                return
        self._differs(name, shot, want, masks)

    def _steady(self, name, masks):
        end = time.monotonic() + MATCH_SECONDS
        last, equal = None, 0
        while equal < STEADY:
            if time.monotonic() > end:
                raise SessionError(f"{self.name}: the picture at {name} never settled")
            shot = self.g.screenshot()
            now = masked(shot, masks)
            equal = equal + 1 if now == last else 1
            last = now
            time.sleep(POLL)
        return shot

    def _differs(self, name, shot, want, masks):
        os.makedirs(FAILED_SHOTS, exist_ok=True)
        stem = f"{self.method}-{'full' if self.full else 'changes'}-{name.replace(' ', '_').replace(',', '')}"
        shot.save(os.path.join(FAILED_SHOTS, stem + ".png"))
        self.reference[name].save(os.path.join(FAILED_SHOTS, stem + "-method4.png"))
        self.differences.append(f"{name}: {difference(masked(shot, masks), want, shot.width)} "
                                f"differ from method 4 ({FAILED_SHOTS}/{stem}.png)")


def run_all(sessions):
    with concurrent.futures.ThreadPoolExecutor(WORKERS) as pool:
        futures = [pool.submit(s.run) for s in sessions]
        return [f.exception() for f in futures]


class Metodos(unittest.TestCase):
    def test_page_flipping_shows_what_method_4_shows(self):
        arrows = jogador.solutions()[1][2]
        shutil.rmtree(FAILED_SHOTS, ignore_errors=True)
        modes = (False, True)
        references = {full: Session(REFERENCE, full, arrows) for full in modes}
        for session, error in zip(references.values(), run_all(references.values())):
            if error:
                raise error
            self.assertEqual(session.in_force, REFERENCE, session.name)
        sessions = [Session(m, full, arrows, references[full].shots)
                    for full in modes for m in FLIPPING]
        errors = run_all(sessions)
        for session in [*references.values(), *sessions]:
            print(f"{session.name}: method {session.in_force} in force, "
                  f"{len(session.differences)} checkpoints differ, {session.seconds:.0f} s",
                  file=sys.stderr)
        for session, error in zip(sessions, errors):
            with self.subTest(session.name):
                if isinstance(error, SessionError):
                    self.fail("\n".join([*session.differences, str(error)]))
                if error:
                    raise error
                # Pages really flip: without the triple-buffer capability
                # method 1 becomes 2 and method 5 becomes 6, not 3.
                self.assertIn(session.in_force, (1, 2) if session.method <= 2 else (5, 6))
                self.assertEqual(session.differences, [])
                self.assertEqual((session.config.get("updatemethod"), session.config.get("colordepth"),
                                  session.config.get("volume"), session.config.get("vsync")),
                                 (str(session.method), "32", "128", "0"))


if __name__ == "__main__":
    unittest.main()
