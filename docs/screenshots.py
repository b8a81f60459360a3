"""Takes the screenshots in docs/screenshots/ from the real game under Xvfb.

Run through screenshots.sh, which points ZEPKO_RUN_DIR at a built run folder
and puts the end-to-end helper on the module path.
"""

import os
import sys
import time

from zepko_e2e import Game, progress

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "screenshots")

# Level 1, one push at a time: the box below, the one to the left, the top
# one up, the right one to the right.
SOLUCAO_FASE1 = ["Down", "Up", "Left", "Left", "Right", "Up", "Up", "Down", "Right", "Right"]


def salva(game, nome):
    time.sleep(0.3)  # a few frames after the last input
    game.screenshot().save(os.path.join(OUT, nome))
    print("wrote", nome)


def main():
    with Game(save=progress(3)) as g:
        g.wait_window()
        g.move(400, 372)
        salva(g, "titulo.png")
        g.click(400, 372)
        time.sleep(0.3)
        g.move(250, 140)  # over level 2: its white frame
        salva(g, "fases.png")
        g.move(60, 558)
        g.click(60, 558)  # the new-game box
        time.sleep(1.0)
        g.move(320, 349)
        salva(g, "novo_jogo.png")

    with Game(save=progress(9)) as g:
        g.wait_window()
        g.click(400, 372)
        time.sleep(0.3)
        g.move(424, 516)
        g.click(424, 516)
        time.sleep(0.3)
        g.move(737, 547)  # over the bonus button
        salva(g, "fases2.png")

    with Game(save=progress(11)) as g:
        g.wait_window()
        g.click(400, 372)
        time.sleep(0.3)
        g.click(424, 516)
        time.sleep(0.3)
        g.click(737, 547)
        time.sleep(1.5)
        g.move(727, 417)  # over the undo button of this layout: its label
        for k in ["Down"]:
            g.tap(k)
            time.sleep(0.15)
        salva(g, "bonus.png")

    with Game(save=progress(1)) as g:
        g.wait_window()
        g.click(400, 372)
        time.sleep(0.3)
        g.click(100, 140)
        time.sleep(1.5)
        g.move(600, 100)
        for k in SOLUCAO_FASE1[:6]:
            g.tap(k)
            time.sleep(0.15)
        g.move(117, 67)  # over the undo button: its label
        salva(g, "fase.png")
        for k in SOLUCAO_FASE1[6:]:
            g.tap(k)
            time.sleep(0.15)
        time.sleep(1.5)
        salva(g, "parabens.png")


if __name__ == "__main__":
    main()
