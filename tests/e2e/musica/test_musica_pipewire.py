"""The level music through a desktop's sound server: the game's ALSA output
goes to a PipeWire null sink of the test's own, which plays in real time,
and what the sink plays is recorded from its monitor: music in level 1,
silence after F1, music again after F1, and a clean exit."""

import array
import math
import os
import unittest

from servidor_som import FRAME_BYTES, RATE, PipeWire, PipeWireGame
from zepko_e2e import progress
from test_musica_no_jogo import SILENCIO, SOM, Escuta, enviada, telas


class MusicaNoPipeWire(Escuta, unittest.TestCase):
    ONDE = "the sink"

    @staticmethod
    def rms(dados):
        a = array.array("h", dados[: len(dados) // 2 * 2])
        return math.sqrt(sum(x * x for x in a) / len(a)) if a else 0.0

    def minimo(self, segundos):
        # The sink plays in real time: its monitor gives a second's worth each second.
        return segundos * RATE * FRAME_BYTES / 2

    def test_music_at_the_sink_paused_and_back_with_f1(self):
        with PipeWire() as pw, PipeWireGame(pw, config=enviada(), save=progress(1)) as g:
            self.som = pw.record(os.path.join(pw.dir, "sink.raw"))
            g.wait_window()
            telas.enter_level(g)
            self.ate("music in the level", lambda n: n > SOM)
            self.assertGreater(self.medir(1.0), SOM)

            # How soon the sink falls silent is bench/buracos.py's measure.
            g.tap("F1")
            self.ate("silence after F1", lambda n: n < SILENCIO)
            self.assertLess(self.medir(1.0), SILENCIO, "music at the sink while paused")
            g.tap("F1")
            self.ate("the music to resume", lambda n: n > SOM)

            res = g.close_and_wait()
            self.assertEqual(res.status, 0, res.stderr)
            self.assertNotIn("without music", res.stderr)


if __name__ == "__main__":
    unittest.main()
