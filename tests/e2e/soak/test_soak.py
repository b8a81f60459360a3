"""Random input for a bounded time to the sanitizer build: keys, clicks and
pointer moves across every screen. It must end with no sanitizer report, no
crash and no hang, and close cleanly. SOAK_SECONDS sets the length (default
90), SOAK_SEED repeats a run (its seed is printed)."""

import os
import random
import time
import unittest

import Xlib.error

from zepko_e2e import progress
import jogador
from jogador import ARROW_BACK, ARROW_NEXT, LEVEL_POINT, PLAY, Level1, Player
import sanitizado
from telas import BONUS, NEW_GAME, NO, YES

SECONDS = float(os.environ.get("SOAK_SECONDS", "90"))
CHECK_EVERY = 3.0

ARROWS = ["Up", "Down", "Left", "Right"]
OTHER_KEYS = ["v", "r", "F1", "F2", "F3", "Return"]
# L on the title screen opens every level for good; kept rare so that the
# locked bonus level (and its message box) stays reachable for a while.
LETTERS = list("abcdefghijkmnopqstuwxyz") * 4 + ["l"]
# Points worth hitting more often than chance would: every button of every screen.
BUTTONS = [PLAY, ARROW_NEXT, ARROW_BACK, NEW_GAME, YES, NO, BONUS,
           (72, 67), (117, 67), (682, 417), (727, 417), *LEVEL_POINT.values()]


class Soak(unittest.TestCase):
    def setUp(self):
        sanitizado.sanitizer_options()
        self.seed = int(os.environ.get("SOAK_SEED", str(random.SystemRandom().randrange(1 << 32))))
        print(f"SOAK_SEED={self.seed} SOAK_SECONDS={SECONDS:g}", flush=True)
        self.rng = random.Random(self.seed)
        self.counts = dict(keys=0, clicks=0, moves=0, messages=0, runs=1, checks=0)
        self.screens = set()

    def fail_with_seed(self, why):
        self.fail(f"{why} (repeat with SOAK_SEED={self.seed})")

    def check_exit(self, res):
        found = sanitizado.reports(res.stderr)
        if found:
            self.fail_with_seed("sanitizer report:\n" + res.stderr)
        if res.status != 0:
            self.fail_with_seed(f"the game ended with status {res.status}:\n{res.stderr}")

    @staticmethod
    def find_message(g):
        # A box closing while the window list is read answers BadWindow.
        for _ in range(5):
            try:
                return g.find_message()
            except Xlib.error.BadWindow:
                time.sleep(0.02)
        return g.find_message()

    def dismiss_messages(self, g):
        while True:
            m = self.find_message(g)
            if not m:
                return
            try:
                m.dismiss()
            except Xlib.error.BadWindow:
                continue
            self.counts["messages"] += 1

            def closed():
                now = self.find_message(g)
                return now is None or now.window.id != m.window.id
            g.wait_for("the message box to close", closed)

    def screen_of(self, p):
        for name, probe in (("title", p.on_title), ("level", p.in_level),
                            ("level-complete", p.complete_panel)):
            if probe():
                return name
        return "level-select"

    def still_drawing(self, g, p):
        """The game keeps drawing frames: after any level-complete wait is
        ended and message boxes are closed, moving the pointer changes the
        picture (the cursor follows it on every screen)."""
        try:
            self.dismiss_messages(g)
            p.press("Return", 0.12)
            self.dismiss_messages(g)
            self.screens.add(self.screen_of(p))
            before = g.screenshot().rgb
            p.pointer(self.rng.randrange(20, 780), self.rng.randrange(20, 580))

            def changed():
                self.dismiss_messages(g)
                return g.screenshot().rgb != before
            g.wait_for("a new frame", changed, timeout=20)
            self.counts["checks"] += 1
        except Exception as e:
            # Ending on purpose (Escape or the exit button on the title
            # screen) is checked by the caller: the window goes first, and
            # the process ends once it has shut down, which the sanitizers'
            # checks make slow. A game still there after that is a hang.
            deadline = time.monotonic() + 30
            while g.running() and time.monotonic() < deadline:
                time.sleep(0.1)
            if g.running():
                self.fail_with_seed(f"the game stopped drawing: {e!r}")

    def restart(self, g):
        """Ends the run through the close button, checks it, starts anew."""
        if g.running():
            g.close_window()
        # The close takes effect after the level-complete wait and after any
        # message box, and a box asked for just before the close may open
        # only now: keep answering both until the game has ended.
        deadline = time.monotonic() + 120
        while g.running() and time.monotonic() < deadline:
            self.dismiss_messages(g)
            g.tap("Return")
            time.sleep(0.5)
        self.check_exit(g.wait_exit(5))
        g.start()
        g.wait_window()
        self.counts["runs"] += 1

    def excursion(self, g):
        """Half way: a fresh run that solves level 1 (the level-complete
        screen) and clicks the locked bonus level (its message box), so that
        random input follows from there too."""
        self.restart(g)
        lv = Level1(g)
        lv.enter(1)
        lv.solve(jogador.solutions()[1][2])
        self.screens.add("level-complete")
        g.click(*ARROW_NEXT)
        time.sleep(0.5)
        g.click(*LEVEL_POINT[10])
        g.wait_message()
        self.dismiss_messages(g)

    def one_input(self, g, p):
        r = self.rng.random()
        if r < 0.6:
            roll = self.rng.random()
            if roll < 0.55:
                name = self.rng.choice(ARROWS)
            elif roll < 0.85:
                name = self.rng.choice(OTHER_KEYS)
            elif roll < 0.99:
                name = self.rng.choice(LETTERS)
            else:
                name = "Escape"
            p.press(name, self.rng.uniform(0.002, 0.03))
            self.counts["keys"] += 1
        elif r < 0.8:
            x, y = (self.rng.choice(BUTTONS) if self.rng.random() < 0.6 else
                    (self.rng.randrange(800), self.rng.randrange(600)))
            p.pointer(x, y)
            time.sleep(0.02)
            p.button(True)
            time.sleep(self.rng.uniform(0.02, 0.06))
            p.button(False)
            self.counts["clicks"] += 1
        else:
            p.pointer(self.rng.randrange(800), self.rng.randrange(600))
            self.counts["moves"] += 1
        time.sleep(self.rng.uniform(0.0, 0.01))

    def test_random_input(self):
        with sanitizado.SanitizedGame(save=progress(9)) as g:
            p = Player(g)
            g.wait_window()
            end = time.monotonic() + SECONDS
            next_check = time.monotonic() + CHECK_EVERY
            half_way = time.monotonic() + SECONDS / 2
            while time.monotonic() < end:
                if not g.running():
                    # Escape or the exit button on the title screen ends the
                    # game on purpose: check how it ended and start it again.
                    self.restart(g)
                    continue
                if half_way and time.monotonic() > half_way:
                    half_way = None
                    self.excursion(g)
                # A message box only holds the game up, so a look every few
                # inputs is enough.
                if self.rng.random() < 0.15:
                    self.dismiss_messages(g)
                self.one_input(g, p)
                if time.monotonic() > next_check:
                    self.still_drawing(g, p)
                    next_check = time.monotonic() + CHECK_EVERY
            if g.running():
                self.still_drawing(g, p)
                g.close_window()
                self.dismiss_messages(g)
                p.press("Return", 0.12)
            self.check_exit(g.wait_exit(120))
            print(", ".join(f"{k} {v}" for k, v in self.counts.items()),
                  "; screens seen:", ", ".join(sorted(self.screens)), flush=True)
            self.assertGreater(self.counts["keys"], 0)


if __name__ == "__main__":
    unittest.main()
