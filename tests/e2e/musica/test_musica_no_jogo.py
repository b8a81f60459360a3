"""The level music as a player hears it: the real game with the config.txt
it ships, ALSA's default device written to a file (the e2e helper's
sound.raw), and the samples measured while the menus show, while a level
plays, paused with F1, through all twelve tracks with F3, and after
leaving the level."""

import array
import math
import os
import sys
import time
import unittest

from zepko_e2e import Game

AQUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(AQUI, "..", "menus"))
sys.path.insert(0, os.path.join(AQUI, "..", "jogo"))
import telas  # noqa: E402
from test_fase import in_level  # noqa: E402

CONFIG = os.path.join(AQUI, "..", "..", "..", "data", "config.txt")

# Allegro's mixer writes exact zeros for silence; music stays far above.
SILENCIO = 20
SOM = 300
# DIGMID lets released notes ring out briefly after stop_midi.
CAUDA = 1.0


def rms(dados):
    """RMS of 16-bit samples around their mean (signed or unsigned alike)."""
    a = array.array("H", dados[: len(dados) // 2 * 2])
    if not a:
        return 0.0
    if sum(a) / len(a) < 16384:  # signed: fold back
        a = [x - 65536 if x >= 32768 else x for x in a]
    media = sum(a) / len(a)
    return math.sqrt(sum((x - media) ** 2 for x in a) / len(a))


class MusicaNoJogo(unittest.TestCase):
    def medir(self, g, segundos):
        arquivo = os.path.join(g.dir, "sound.raw")
        inicio = os.path.getsize(arquivo)
        time.sleep(segundos)
        fim = os.path.getsize(arquivo)
        self.assertGreater(fim - inicio, 10000, "no samples reached the sound device")
        with open(arquivo, "rb") as f:
            f.seek(inicio)
            return rms(f.read(fim - inicio))

    def test_levels_play_pause_change_and_stop_the_music(self):
        with open(CONFIG, "rb") as f:
            shipped = f.read()
        with Game(config=shipped, remove=["save.bin"]) as g:
            g.wait_window()
            telas.open_first_page(g)
            self.assertLess(self.medir(g, 1.0), SILENCIO, "music on the menus")

            g.click(*telas.LEVEL_1)
            g.wait_for("level 1", lambda: in_level(g.screenshot()))
            self.assertGreater(self.medir(g, 2.0), SOM, "no music in the level")

            g.tap("F1")
            time.sleep(CAUDA)
            self.assertLess(self.medir(g, 1.5), SILENCIO, "F1 did not pause")
            g.tap("F1")
            time.sleep(0.3)
            self.assertGreater(self.medir(g, 1.5), SOM, "F1 did not resume")

            # Twelve steps forward visit every track once, whichever came first.
            for passo in range(12):
                g.tap("F3")
                time.sleep(0.3)
                nivel = self.medir(g, 1.5)
                self.assertGreater(nivel, SOM, f"silence after F3 number {passo + 1}")

            g.tap("Escape")
            telas.wait_first_page(g)
            time.sleep(CAUDA)
            self.assertLess(self.medir(g, 1.5), SILENCIO, "music went on after leaving the level")
            self.assertTrue(g.running())


if __name__ == "__main__":
    unittest.main()
