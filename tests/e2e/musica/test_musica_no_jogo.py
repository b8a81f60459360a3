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
sys.path.insert(0, os.path.join(AQUI, "..", "play"))
import telas  # noqa: E402
from test_fase import in_level  # noqa: E402

CONFIG = os.path.join(AQUI, "..", "..", "..", "data", "config.txt")

# Allegro's mixer writes exact zeros for silence; music stays far above.
SILENCIO = 20
SOM = 300
# How far behind a key press the capture may still carry music.
LATENCIA = 0.35
# The track title line, centred at y 565 under the board.
TITULO = (100, 555, 700, 580)
# Hang guard only: the game answers a key within a frame or two, and the
# synthesizer's released notes ring out for well under a second.
ESPERA = 15.0


def rms(dados):
    """RMS of 16-bit samples around their mean (signed or unsigned alike)."""
    a = array.array("H", dados[: len(dados) // 2 * 2])
    if not a:
        return 0.0
    if sum(a) / len(a) < 16384:  # signed: fold back
        a = [x - 65536 if x >= 32768 else x for x in a]
    media = sum(a) / len(a)
    return math.sqrt(sum((x - media) ** 2 for x in a) / len(a))


def titulo(shot):
    x0, y0, x1, y1 = TITULO
    return b"".join(shot.rgb[3 * (y * shot.width + x0):3 * (y * shot.width + x1 + 1)]
                    for y in range(y0, y1 + 1))


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

    def ate(self, g, o_que, condicao):
        """Measures half-second windows until one meets the condition."""
        limite = time.monotonic() + ESPERA
        while not condicao(self.medir(g, 0.5)):
            if time.monotonic() > limite:
                self.fail(f"still waiting for {o_que}")

    def test_levels_play_pause_change_and_stop_the_music(self):
        with open(CONFIG, "rb") as f:
            shipped = f.read()
        with Game(config=shipped, remove=["save.bin"]) as g:
            g.wait_window()
            telas.open_first_page(g)
            self.assertLess(self.medir(g, 1.0), SILENCIO, "music on the menus")

            g.click(*telas.LEVEL_1)
            g.wait_for("level 1", lambda: in_level(g.screenshot()))
            self.ate(g, "music in the level", lambda n: n > SOM)
            self.assertGreater(self.medir(g, 1.5), SOM)

            g.tap("F1")
            # Silent within a fraction of a second: the mixer runs only a
            # little ahead of the device.
            time.sleep(LATENCIA)
            self.assertLess(self.medir(g, 1.5), SILENCIO, "F1 did not silence the music")
            g.tap("F1")
            self.ate(g, "the music to resume", lambda n: n > SOM)

            # Twelve steps forward visit every track once, whichever came
            # first: each shows another title and plays.
            titulos = {titulo(g.screenshot())}
            for passo in range(12):
                antes = titulo(g.screenshot())
                g.tap("F3")
                g.wait_for(f"a new title after F3 number {passo + 1}",
                           lambda: titulo(g.screenshot()) != antes)
                titulos.add(titulo(g.screenshot()))
                self.ate(g, f"music after F3 number {passo + 1}", lambda n: n > SOM)
                self.assertGreater(self.medir(g, 1.0), SOM, f"track after F3 number {passo + 1} fell silent")
            self.assertEqual(len(titulos), 12)

            g.tap("Escape")
            telas.wait_first_page(g)
            self.ate(g, "silence after leaving the level", lambda n: n < SILENCIO)
            self.assertLess(self.medir(g, 1.5), SILENCIO, "music came back on the menus")
            self.assertTrue(g.running())


if __name__ == "__main__":
    unittest.main()
