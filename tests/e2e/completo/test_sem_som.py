"""A machine without a sound device: with the shipped config.txt the game
starts without a message box, says once on stderr that it plays without
music, and plays a level through in silence. (What the
music sounds like on a machine with one is tests/e2e/musica.)"""

import os
import unittest

from zepko_e2e import Game, progress
import jogador
from jogador import Level1

TITLE_AREA = (100, 560, 600, 24)   # the track title, centred at y 565


def shipped_config():
    with open(os.environ["ZEPKO_CONFIG_ENVIADA"], "rb") as f:
        return f.read()


class NoSoundDevice(Game):
    """A machine whose sound card is missing: ALSA's default device names a
    card that does not exist."""

    def asoundrc(self):
        return "pcm.!default { type hw card 7 }\nctl.!default { type hw card 7 }\n"


class SemSom(unittest.TestCase):
    def test_no_sound_device_plays_silently_with_one_line_and_no_box(self):
        arrows = jogador.solutions()[1][2]
        with NoSoundDevice(config=shipped_config(), save=progress(1)) as g:
            lv = Level1(g)
            g.wait_window()
            self.assertEqual(g.messages_seen(1.0), [])
            lv.enter(1)
            title = lv.p.area(TITLE_AREA)
            lv.p.press("F1", 0.1)
            g.wait_for("the pause in the title line", lambda: lv.p.area(TITLE_AREA) != title)
            lv.solve(arrows)
            self.assertEqual(g.read_bytes("save.bin"), progress(2))
            self.assertIsNone(g.find_message())
            res = g.close_and_wait()
            self.assertEqual(res.status, 0)
            # One line says why there is no music and what to check.
            ours = [l for l in res.stderr.splitlines() if l.startswith("zepko: ")]
            self.assertEqual(len(ours), 1, res.stderr)
            self.assertIn("without music", ours[0])
            self.assertIn("speaker-test", ours[0])


if __name__ == "__main__":
    unittest.main()
