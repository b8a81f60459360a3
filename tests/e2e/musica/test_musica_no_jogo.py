"""The level music as a player hears it: the real game with the config.txt
it ships, ALSA's default device written to a file (the e2e helper's
sound.raw), and the samples measured while the menus show, while a level
plays, paused with F1, through all twelve tracks with F3, and after
leaving the level."""

import array
import math
import os
import time
import unittest

from zepko_e2e import Game, e2e_folders

e2e_folders("menus")
import telas  # noqa: E402

CONFIG = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "data", "config.txt")

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


def enviada():
    """The config.txt the game ships."""
    with open(CONFIG, "rb") as f:
        return f.read()


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


class Escuta:
    """For a unittest.TestCase: the loudness of what the sound source
    self.som (size() and read(start, end), in bytes) takes in meanwhile."""
    ONDE = ""  # where it is heard, for the failures

    def medir(self, segundos):
        inicio = self.som.size()
        time.sleep(segundos)
        fim = self.som.size()
        self.assertGreater(fim - inicio, self.minimo(segundos),
                           f"no samples reached {self.ONDE or 'the sound device'}")
        return self.rms(self.som.read(inicio, fim))

    def ate(self, o_que, condicao):
        """Measures half-second windows until one meets the condition."""
        limite = time.monotonic() + ESPERA
        while not condicao(self.medir(0.5)):
            if time.monotonic() > limite:
                self.fail(f"still waiting for {o_que}{self.ONDE and ' at ' + self.ONDE}")


class Arquivo:
    """A file the game writes samples to, as it plays them."""

    def __init__(self, caminho):
        self.caminho = caminho

    def size(self):
        return os.path.getsize(self.caminho)

    def read(self, inicio, fim):
        with open(self.caminho, "rb") as f:
            f.seek(inicio)
            return f.read(fim - inicio)


class MusicaNoJogo(Escuta, unittest.TestCase):
    rms = staticmethod(rms)

    def minimo(self, segundos):
        return 10000

    def test_levels_play_pause_change_and_stop_the_music(self):
        with Game(config=enviada(), remove=["save.bin"]) as g:
            self.som = Arquivo(os.path.join(g.dir, "sound.raw"))
            g.wait_window()
            telas.open_first_page(g)
            self.assertLess(self.medir(1.0), SILENCIO, "music on the menus")

            g.click(*telas.LEVEL_1)
            g.wait_for("level 1", lambda: telas.in_level(g.screenshot()))
            self.ate("music in the level", lambda n: n > SOM)
            self.assertGreater(self.medir(1.5), SOM)

            g.tap("F1")
            # Silent within a fraction of a second: the mixer runs only a
            # little ahead of the device.
            time.sleep(LATENCIA)
            self.assertLess(self.medir(1.5), SILENCIO, "F1 did not silence the music")
            g.tap("F1")
            self.ate("the music to resume", lambda n: n > SOM)

            # Twelve steps forward visit every track once, whichever came
            # first: each shows another title and plays.
            titulos = {titulo(g.screenshot())}
            for passo in range(12):
                antes = titulo(g.screenshot())
                g.tap("F3")
                g.wait_for(f"a new title after F3 number {passo + 1}",
                           lambda: titulo(g.screenshot()) != antes)
                titulos.add(titulo(g.screenshot()))
                self.ate(f"music after F3 number {passo + 1}", lambda n: n > SOM)
                self.assertGreater(self.medir(1.0), SOM, f"track after F3 number {passo + 1} fell silent")
            self.assertEqual(len(titulos), 12)

            g.tap("Escape")
            telas.wait_first_page(g)
            self.ate("silence after leaving the level", lambda n: n < SILENCIO)
            self.assertLess(self.medir(1.5), SILENCIO, "music came back on the menus")
            self.assertTrue(g.running())


if __name__ == "__main__":
    unittest.main()
