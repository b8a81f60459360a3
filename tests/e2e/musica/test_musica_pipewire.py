"""The level music through a desktop's sound server: the game's ALSA output
goes to a PipeWire null sink of the test's own, which plays in real time,
and what the sink plays is recorded from its monitor: music in level 1,
silence after F1, music again after F1, and a clean exit."""

import array
import math
import os
import sys
import time
import unittest

from servidor_som import FRAME_BYTES, RATE, PipeWire, PipeWireGame

AQUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(AQUI, "..", "menus"))
sys.path.insert(0, os.path.join(AQUI, "..", "play"))
import telas  # noqa: E402
from test_fase import in_level  # noqa: E402
from test_musica_no_jogo import CONFIG, ESPERA, SILENCIO, SOM  # noqa: E402


def rms(dados):
    a = array.array("h", dados[: len(dados) // 2 * 2])
    return math.sqrt(sum(x * x for x in a) / len(a)) if a else 0.0


class MusicaNoPipeWire(unittest.TestCase):
    def medir(self, rec, segundos):
        inicio = rec.size()
        time.sleep(segundos)
        fim = rec.size()
        # The sink plays in real time: its monitor gives a second's worth each second.
        self.assertGreater(fim - inicio, segundos * RATE * FRAME_BYTES / 2, "the sink is not playing")
        return rms(rec.read(inicio, fim))

    def ate(self, rec, o_que, condicao):
        limite = time.monotonic() + ESPERA
        while not condicao(self.medir(rec, 0.5)):
            if time.monotonic() > limite:
                self.fail(f"still waiting for {o_que} at the sink")

    def test_music_at_the_sink_paused_and_back_with_f1(self):
        with open(CONFIG, "rb") as f:
            shipped = f.read()
        with PipeWire() as pw, PipeWireGame(pw, config=shipped, save=(1).to_bytes(4, "little")) as g:
            rec = pw.record(os.path.join(pw.dir, "sink.raw"))
            g.wait_window()
            telas.open_first_page(g)
            g.click(*telas.LEVEL_1)
            g.wait_for("level 1", lambda: in_level(g.screenshot()))
            self.ate(rec, "music in the level", lambda n: n > SOM)
            self.assertGreater(self.medir(rec, 1.0), SOM)

            # How soon the sink falls silent is bench/buracos.py's measure.
            g.tap("F1")
            self.ate(rec, "silence after F1", lambda n: n < SILENCIO)
            self.assertLess(self.medir(rec, 1.0), SILENCIO, "music at the sink while paused")
            g.tap("F1")
            self.ate(rec, "the music to resume", lambda n: n > SOM)

            g.close_window()
            res = g.wait_exit()
            self.assertEqual(res.status, 0, res.stderr)
            self.assertNotIn("without music", res.stderr)


if __name__ == "__main__":
    unittest.main()
