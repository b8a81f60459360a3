"""Holes in the level music as a desktop plays it: the game's ALSA output
goes both to a file (what the game wrote) and to a PipeWire null sink that
plays in real time (what the player hears), whose monitor is recorded. A
hole is a stretch of at least HOLE_MS of silence at the sink that the
game's own output does not have. Counted on an idle machine and under a
fixed load (stress-ng keeping every core busy), with the shipped
config.txt (the library's own ALSA buffer: five fragments of 1024 frames)
and with a larger buffer set in its [sound] section; and, for each, how
long F1 takes to silence the sink.

    make bench      (relatorio.py adds these rows)
    ZEPKO_BUILD_DIR=build /usr/bin/python3 bench/buracos.py
"""

import array
import os
import re
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e", "lib"))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e", "menus"))
BUILD = os.path.abspath(os.environ.get("ZEPKO_BUILD_DIR", os.path.join(ROOT, "build")))
os.environ.setdefault("ZEPKO_RUN_DIR", os.path.join(BUILD, "run"))
from servidor_som import RATE, SINK, PipeWire, PipeWireGame  # noqa: E402
from zepko_e2e import progress  # noqa: E402
import telas  # noqa: E402

CONFIG = os.path.join(ROOT, "data", "config.txt")
SECONDS = 20.0        # of music measured in each run
HOLE_MS = 3           # the shortest silence that counts as a hole
LOUD = 300            # a sample this far from silence: the music is playing
PAUSES = 3            # F1 presses timed in each run
# Hang guard only.
WAIT_SECONDS = 30.0


class TeeGame(PipeWireGame):
    """Writes what the game gives ALSA to escrito.raw on its way to the sink."""

    def asoundrc(self):
        return """pcm.!default {
    type file
    slave.pcm { type pipewire playback_node "%s" }
    file "%s"
    format "raw"
}
ctl.!default { type pipewire }
""" % (SINK, os.path.join(self.dir, "escrito.raw"))


# The library's buffer, and a larger one: the library refills one fragment
# per 10 ms tick of its background thread, so fragments stay at 1024 frames
# (smaller ones refill barely faster than they play) and only their number grows.
BUFFERS = {"5 × 1024 frames (the library's)": "", "8 × 1024 frames": "alsa_fragsize = 1024\nalsa_numfrags = 8\n"}


def with_buffer(text, settings):
    """config.txt with `settings` at the top of its [sound] section."""
    return re.sub(r"^\[sound\]\n", lambda m: m.group(0) + settings, text, count=1, flags=re.M)


def frames(data):
    """One 32-bit value per stereo 16-bit frame."""
    a = array.array("I")
    a.frombytes(data[: len(data) // 4 * 4])
    return a


def runs(a, shortest, silent):
    """Lengths of the runs of at least `shortest` frames for which silent(frame, previous) holds."""
    found, n, prev = [], 0, None
    for v in a:
        if prev is not None and silent(v, prev):
            n += 1
        else:
            if n + 1 >= shortest:
                found.append(n + 1)
            n = 0
        prev = v
    if n + 1 >= shortest:
        found.append(n + 1)
    return found


def loud(data):
    s = array.array("h")
    s.frombytes(data[: len(data) // 2 * 2])
    return any(abs(x) > LOUD for x in s)


def wait(what, probe, g):
    end = time.monotonic() + WAIT_SECONDS
    while not probe():
        if not g.running() or time.monotonic() > end:
            raise RuntimeError(f"no {what}")
        time.sleep(0.05)


def one_run(config, load):
    """{'holes', 'added_ms', 'gaps', 'f1_ms'} for one game: the sink's
    silent stretches beyond the game's own (a count, and their length added
    up), the game's own (the track's rests), and each F1's time to silence."""
    with PipeWire() as pw, TeeGame(pw, config=config, save=progress(1)) as g:
        rec = pw.record(os.path.join(pw.dir, "sink.raw"))
        written = os.path.join(g.dir, "escrito.raw")
        g.wait_window()
        telas.open_first_page(g)
        g.click(*telas.LEVEL_1)
        g.wait_for("level 1", lambda: g.screenshot().pixel(700, 545) == (50, 50, 50))
        # Every run plays track 1 from its start: F3 while paused plays it.
        g.tap("F1")
        g.tap("F3")
        at = rec.size()
        wait("music at the sink", lambda: loud(rec.read(at, rec.size())), g)
        stress = None
        if load:
            stress = subprocess.Popen(["stress-ng", "--cpu", str(os.cpu_count()), "--timeout",
                                       f"{int(SECONDS) + 5}s", "--quiet"],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            time.sleep(0.5)
            s0, w0 = rec.size(), os.path.getsize(written)
            time.sleep(SECONDS)
            s1, w1 = rec.size(), os.path.getsize(written)
            # F1 while the load still runs: from the press to silence at the
            # sink (the key's way to the game, one frame, the sound buffers,
            # and the recorder's own lag, which makes it a little longer).
            f1 = []
            for _ in range(PAUSES):
                pressed = rec.size()
                g.tap("F1")
                time.sleep(1.0)
                after = frames(rec.read(pressed, rec.size()))
                i = _first_silence(after, RATE // 20)
                f1.append(i / RATE * 1000 if i < len(after) else None)
                g.tap("F1")
                resumed = rec.size()
                wait("music after F1", lambda: loud(rec.read(resumed, rec.size())), g)
                time.sleep(0.5)
        finally:
            if stress:
                stress.terminate()
                stress.wait()
        rec.stop()
        game_rate = (w1 - w0) / 4 / SECONDS
        sink = runs(frames(rec.read(s0, s1)), RATE * HOLE_MS // 1000, lambda v, p: v == 0)
        with open(written, "rb") as f:
            f.seek(w0)
            game = runs(frames(f.read(w1 - w0)), int(game_rate * HOLE_MS / 1000), lambda v, p: v == p)
        g.close_window()
        g.wait_exit()
    return {"holes": max(0, len(sink) - len(game)),
            "added_ms": max(0.0, sum(sink) / RATE - sum(game) / game_rate) * 1000,
            "gaps": len(game), "f1_ms": f1}


def _first_silence(a, shortest):
    """Where the first run of `shortest` silent frames starts."""
    n = 0
    for i, v in enumerate(a):
        n = n + 1 if v == 0 else 0
        if n == shortest:
            return i - shortest + 1
    return len(a)


def figures():
    with open(CONFIG) as f:
        shipped = f.read()
    result = {}
    for name, settings in BUFFERS.items():
        config = with_buffer(shipped, settings)
        if settings and config == shipped:
            raise RuntimeError("config.txt has no [sound] section")
        for load in (False, True):
            result[name, load] = one_run(config, load)
    return result


def rows(result):
    out = []
    for (name, load), r in result.items():
        when = f"{os.cpu_count()} cores busy" if load else "idle"
        f1 = max((x for x in r["f1_ms"] if x is not None), default=None)
        out.append((f"music holes at the sink in {SECONDS:.0f} s, {when}, {name}",
                    f"{r['holes']} ({r['added_ms']:.0f} ms of silence added; the track's own rests: {r['gaps']})",
                    "0"))
        out.append((f"F1 to silence at the sink, {when}, {name}",
                    "never" if f1 is None or None in r["f1_ms"] else f"{f1:.0f} ms (worst of {PAUSES})",
                    "≤ 250 ms"))
    return out


def main():
    if not shutil.which("stress-ng"):
        sys.exit("buracos.py needs stress-ng (scripts/install-deps)")
    print("| measure | result | target |")
    print("|---|---|---|")
    for r in rows(figures()):
        print("| " + " | ".join(r) + " |")


if __name__ == "__main__":
    main()
