"""Processor share of the running game: CPU seconds over wall seconds for the
whole process (all its threads), over 10 s of the title screen under Xvfb.
The X server's share is shown beside it, since it does the drawing work
that the game hands over each frame. Aim: under 10 % of one core.

Run from `make bench` (ZEPKO_RUN_DIR names the built run folder), or
directly: ZEPKO_RUN_DIR=build/run /usr/bin/python3 bench/shell/cpu_bench.py
"""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e", "lib"))
from zepko_e2e import Game  # noqa: E402

SECONDS = 10.0
TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    # utime and stime, fields 14 and 15 of the line (after pid and name).
    return (int(fields[11]) + int(fields[12])) / TICKS


def measure(config=None, label="default settings"):
    with Game(config=config) as g:
        g.wait_window()
        g.move(400, 300)
        time.sleep(1.0)  # past the start-up burst
        pids = {"game": g.proc.pid, "X server": g.xvfb.pid}
        start = {k: cpu_seconds(p) for k, p in pids.items()}
        t0 = time.monotonic()
        time.sleep(SECONDS)
        wall = time.monotonic() - t0
        share = {k: (cpu_seconds(p) - start[k]) / wall for k, p in pids.items()}
        g.tap("Escape")
        g.wait_exit()
    print(f"{label:28s} game {100 * share['game']:5.1f} % of a core   "
          f"X server {100 * share['X server']:5.1f} %   over {wall:.1f} s")
    return share["game"]


def main():
    shares = [measure()]
    for method in (2, 4, 6):
        shares.append(measure(f"[Inicializacao]\nupdatemethod = {method}\n", f"updatemethod {method}"))
    if max(shares) >= 0.10:
        print("cpu_bench: above the 10 % aim")


if __name__ == "__main__":
    main()
