"""Runs every benchmark side by side and prints one table: the figures of
docs/performance.md.

    make bench            (or: ZEPKO_BUILD_DIR=build /usr/bin/python3 bench/relatorio.py)

Ratios compare two things measured in the same run, so they hold on a noisy
machine; every figure is the median of several rounds. The processor shares
are measured over the same seconds for the game and for the floor
(bench/piso: the game's 60 Hz loop showing a full picture every frame the
way the game shows its frames, and the loop alone), all under the game's
own X server: with the pointer resting, and with it circling all the time.
The X server's own share is measured for two games side by side, each with
an X server of its own: this build, and the same with ZEPKO_PRESENT=full.
The music's holes at a sound server's sink are bench/buracos.py's.
"""

import json
import math
import os
import statistics
import subprocess
import tempfile
import threading
import time

# buracos (this folder) puts the end-to-end helpers on the path and finds the build.
import buracos
from buracos import BUILD
from zepko_e2e import Game  # noqa: E402
import telas  # noqa: E402
from Xlib import display as xdisplay  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")
ROUNDS = 7
ROUND_SECONDS = 4.0
ENTRIES = 200
TRACKS = 12
LEVEL_1 = telas.LEVEL_1


class Display(Game):
    """An X server and a sound device of the report's own, and no game: for
    the programs that need the library's X11 system driver."""

    def start(self):
        with open(os.path.join(self.dir, ".asoundrc"), "w") as f:
            f.write(self.asoundrc())
        self.env = dict(os.environ, DISPLAY=self.display_name, HOME=self.dir)


def google_benchmark(program, env=None):
    """CPU seconds per iteration of each benchmark of a Google Benchmark
    program, the median of several repetitions."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run([os.path.join(BUILD, "bench", program), f"--benchmark_out={out.name}",
                        "--benchmark_out_format=json", f"--benchmark_repetitions={ROUNDS}",
                        "--benchmark_report_aggregates_only=true"], check=True, env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        report = json.load(out)
    unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    return {b["run_name"]: b["cpu_time"] * unit[b["time_unit"]] for b in report["benchmarks"]
            if b.get("aggregate_name") == "median"}


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS")


def shares(pids):
    """Each process's processor share over the same seconds, round after
    round: {name: [share per round]}."""
    time.sleep(1.5)  # windows up, any burst of pending ticks past
    result = {name: [] for name in pids}
    for _ in range(ROUNDS):
        c0, t0 = {n: cpu_seconds(p) for n, p in pids.items()}, time.monotonic()
        time.sleep(ROUND_SECONDS)
        dt = time.monotonic() - t0
        for n, p in pids.items():
            result[n].append((cpu_seconds(p) - c0[n]) / dt)
    return result


def shares_beside_the_floor(g):
    """The game's processor share and the two floors', each over the same
    seconds, under the game's X server."""
    env = dict(os.environ, DISPLAY=g.display_name)
    floors = {mode: subprocess.Popen([os.path.join(BUILD, "bench", "piso", "piso"), mode], env=env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
              for mode in ("quadro", "laco")}
    try:
        return shares({"game": g.proc.pid, **{m: p.pid for m, p in floors.items()}})
    finally:
        for p in floors.values():
            p.kill()
            p.wait()


class Circling:
    """Moves the pointer round a circle in the game window, 60 times a
    second, for as long as it is entered: a player's hand that never rests."""

    def __init__(self, g, centre=(400, 300), radius=150):
        self.g, self.centre, self.radius = g, centre, radius
        self.stop = threading.Event()

    def run(self):
        d = xdisplay.Display(self.g.display_name)  # a connection of its own
        w = d.create_resource_object("window", self.g.window.id)
        step = 0
        while not self.stop.wait(1 / 60):
            a = 2 * math.pi * step / 120
            w.warp_pointer(int(self.centre[0] + self.radius * math.cos(a)),
                           int(self.centre[1] + self.radius * math.sin(a)))
            d.sync()
            step += 1
        d.close()

    def __enter__(self):
        self.thread = threading.Thread(target=self.run)
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.stop.set()
        self.thread.join()


class WholePictures(Game):
    """The game as it draws and shows every frame whole."""

    def environment(self):
        return dict(super().environment(), ZEPKO_PRESENT="full")


def x_server_shares():
    """The still title screen, drawn and shown by its changes and drawn and
    shown whole, each game with an X server of its own, measured together:
    the games' and their X servers' shares."""
    with Game(save=b"\x01\x00\x00\x00") as a, WholePictures(save=b"\x01\x00\x00\x00") as b:
        for g in (a, b):
            g.wait_window(settle=0)
            g.wait_for("the title screen", lambda: telas.on_title(g.screenshot()), timeout=30)
            g.move(400, 300)
        return shares({"x": a.xvfb.pid, "x_full": b.xvfb.pid, "game": a.proc.pid, "game_full": b.proc.pid})


def in_level(shot):
    return shot.pixel(700, 545) == (50, 50, 50)


def enter_level(g):
    g.click(*LEVEL_1)
    g.wait_for("level 1", lambda: in_level(g.screenshot()))


def leave_level(g):
    g.tap("Escape")
    g.wait_for("the first page", lambda: not in_level(g.screenshot()))


def process_figures():
    figures = {}
    with Game(save=b"\x01\x00\x00\x00") as g:
        t0 = time.monotonic()
        g.wait_window(settle=0)
        g.wait_for("the title screen", lambda: telas.on_title(g.screenshot()), timeout=30)
        figures["startup"] = time.monotonic() - t0
        g.move(400, 300)
        figures["title"] = shares_beside_the_floor(g)
        with Circling(g):
            figures["title_moving"] = shares_beside_the_floor(g)
        telas.open_first_page(g)
        enter_level(g)
        g.move(600, 300)
        figures["level"] = shares_beside_the_floor(g)
        with Circling(g):
            figures["level_moving"] = shares_beside_the_floor(g)
        g.move(600, 300)
        g.tap("F1")  # the music paused: what the synthesizer takes
        figures["level_silent"] = shares_beside_the_floor(g)
        g.tap("F1")
        # Warm-up: every track once, so the synthesizer has loaded every
        # instrument the music uses (it keeps them for good).
        for _ in range(TRACKS):
            g.tap("F3")
            time.sleep(0.1)
        leave_level(g)
        figures["rss_warm"] = rss_kib(g.proc.pid)
        for _ in range(ENTRIES):
            enter_level(g)
            leave_level(g)
        figures["rss_last"] = rss_kib(g.proc.pid)
        g.tap("Escape")
        g.tap("Escape")
        g.wait_exit()
    return figures


def median_ratio(shares, name, over="game"):
    return statistics.median(a / b for a, b in zip(shares[over], shares[name]))


def pct(shares, name):
    return f"{100 * statistics.median(shares[name]):.1f} %"


def ms(seconds, decimals):
    # play_bench times the music only where the sound system starts.
    return "no sound device" if seconds is None else f"{1000 * seconds:.{decimals}f} ms"


def main():
    gif = google_benchmark("gif/gif_bench")
    with Display() as d:
        play = google_benchmark("play/play_bench", env=d.env)
    p = process_figures()
    x = x_server_shares()
    title, level = p["title"], p["level"]
    moving_title, moving_level = p["title_moving"], p["level_moving"]
    rows = [
        ("CPU share ÷ loop-only floor, title screen, pointer still", f"{median_ratio(title, 'laco'):.2f}", "≤ 1.2"),
        ("CPU share ÷ loop-only floor, in level 1, no key pressed", f"{median_ratio(level, 'laco'):.2f}", "≤ 1.2"),
        ("the same, music paused (F1)", f"{median_ratio(p['level_silent'], 'laco'):.2f}", ""),
        ("CPU share ÷ full-picture floor, title screen, pointer circling",
         f"{median_ratio(moving_title, 'quadro'):.2f}", "≤ 1.0"),
        ("CPU share ÷ full-picture floor, in level 1, pointer circling",
         f"{median_ratio(moving_level, 'quadro'):.2f}", "≤ 1.0"),
        ("X server's CPU share, still title screen: this build ÷ ZEPKO_PRESENT=full",
         f"{median_ratio(x, 'x_full', over='x'):.2f} ({pct(x, 'x')} / {pct(x, 'x_full')} of a core)", "< 0.25"),
        ("CPU share, still title screen: this build / ZEPKO_PRESENT=full",
         f"{pct(x, 'game')} / {pct(x, 'game_full')} of a core", ""),
        ("CPU share, title screen / in level 1 / music paused, still (60 fps)",
         f"{pct(title, 'game')} / {pct(level, 'game')} / {pct(p['level_silent'], 'game')} of a core", ""),
        ("CPU share, title screen / in level 1, pointer circling",
         f"{pct(moving_title, 'game')} / {pct(moving_level, 'game')} of a core", ""),
        ("CPU share, floor: full picture / loop only",
         f"{pct(title, 'quadro')} / {pct(title, 'laco')} of a core", ""),
        ("level-play frame ÷ full-screen blit (clock changing every frame)",
         f"{play['BM_QuadroFase'] / play['BM_BlitTelaCheia']:.2f}", "≤ 1.2"),
        ("level-play frame drawn whole (ZEPKO_PRESENT=full) ÷ full-screen blit",
         f"{play['BM_QuadroFaseInteiro'] / play['BM_BlitTelaCheia']:.2f}", ""),
        ("load_gif ÷ giflib, 640 × 480 picture",
         f"{gif['ours/screen_640x480'] / gif['giflib/screen_640x480']:.2f}", "≤ 1.5"),
        ("load_gif ÷ giflib, 40 × 40 sprite",
         f"{gif['ours/sprite_40x40'] / gif['giflib/sprite_40x40']:.2f}", ""),
        (f"memory after warm-up + {ENTRIES} level entries ÷ after warm-up",
         f"{p['rss_last'] / p['rss_warm']:.3f} ({p['rss_warm'] // 1024} → {p['rss_last'] // 1024} MiB)",
         "≤ 1.01"),
        ("start-up to the first title frame", f"{1000 * p['startup']:.0f} ms", ""),
        ("level entry to first frame, first entry", f"{1000 * play['BM_EntradaPrimeira']:.1f} ms", ""),
        ("level entry to first frame, later entries", f"{1000 * play['BM_EntradaSeguinte']:.1f} ms", ""),
        ("level entry to first frame, its track's first play",
         ms(play.get("BM_EntradaFaixaNova"), 1), "≤ 16.7 ms"),
        ("loading all twelve tracks' instruments at once",
         ms(play.get("BM_InstrumentosDasDozeFaixas"), 0), "(start-up if < 100 ms)"),
    ]
    rows += buracos.rows(buracos.figures())
    print("| measure | result | target |")
    print("|---|---|---|")
    for r in rows:
        print("| " + " | ".join(r) + " |")


if __name__ == "__main__":
    main()
