"""Runs every benchmark side by side and prints one table: the figures of
the README's performance section.

    make bench            (or: ZEPKO_BUILD_DIR=build /usr/bin/python3 bench/relatorio.py)

Ratios compare two things measured in the same run, so they hold on a noisy
machine; the process figures run the real game under its own Xvfb.
"""

import json
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e", "lib"))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e", "menus"))
from zepko_e2e import Game  # noqa: E402
import telas  # noqa: E402

BUILD = os.path.abspath(os.environ.get("ZEPKO_BUILD_DIR", os.path.join(ROOT, "build")))
os.environ.setdefault("ZEPKO_RUN_DIR", os.path.join(BUILD, "run"))
TICKS = os.sysconf("SC_CLK_TCK")
CPU_SECONDS = 10.0
ENTRIES = 200
LEVEL_1 = telas.LEVEL_1


def google_benchmark(program):
    """CPU seconds per iteration of each benchmark of a Google Benchmark program."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run([os.path.join(BUILD, "bench", program), f"--benchmark_out={out.name}",
                        "--benchmark_out_format=json"], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        report = json.load(out)
    unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    return {b["name"]: b["cpu_time"] * unit[b["time_unit"]] for b in report["benchmarks"]}


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


def cpu_share(g):
    time.sleep(1.0)  # past any burst of pending ticks
    c0, t0 = cpu_seconds(g.proc.pid), time.monotonic()
    time.sleep(CPU_SECONDS)
    return (cpu_seconds(g.proc.pid) - c0) / (time.monotonic() - t0)


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
        figures["cpu_title"] = cpu_share(g)
        telas.open_first_page(g)
        enter_level(g)
        g.move(600, 300)
        figures["cpu_level"] = cpu_share(g)
        leave_level(g)
        first = rss_kib(g.proc.pid)
        for _ in range(ENTRIES - 1):
            enter_level(g)
            leave_level(g)
        figures["rss_first"] = first
        figures["rss_last"] = rss_kib(g.proc.pid)
        g.tap("Escape")
        g.tap("Escape")
        g.wait_exit()
    return figures


def main():
    gif = google_benchmark("gif/gif_bench")
    play = google_benchmark("play/play_bench")
    p = process_figures()
    rows = [
        ("level-play frame ÷ full-screen blit", f"{play['BM_QuadroFase'] / play['BM_BlitTelaCheia']:.2f}", "≤ 3"),
        ("load_gif ÷ giflib, 640 × 480 picture",
         f"{gif['ours/screen_640x480'] / gif['giflib/screen_640x480']:.2f}", "≤ 1.5"),
        ("load_gif ÷ giflib, 40 × 40 sprite",
         f"{gif['ours/sprite_40x40'] / gif['giflib/sprite_40x40']:.2f}", ""),
        ("CPU share, title screen (60 fps)", f"{100 * p['cpu_title']:.1f} % of a core", "≤ 10 %"),
        ("CPU share, in level 1 (60 fps)", f"{100 * p['cpu_level']:.1f} % of a core", "≤ 10 %"),
        (f"memory after {ENTRIES} level entries ÷ after the first",
         f"{p['rss_last'] / p['rss_first']:.3f} ({p['rss_first'] // 1024} → {p['rss_last'] // 1024} MiB)", "≤ 1.01"),
        ("start-up to the first title frame", f"{1000 * p['startup']:.0f} ms", ""),
        ("level entry to first frame, first entry", f"{1000 * play['BM_EntradaPrimeira']:.1f} ms", ""),
        ("level entry to first frame, later entries", f"{1000 * play['BM_EntradaSeguinte']:.1f} ms", "within a frame (16.7 ms)"),
    ]
    print("| measure | result | target |")
    print("|---|---|---|")
    for r in rows:
        print("| " + " | ".join(r) + " |")


if __name__ == "__main__":
    main()
