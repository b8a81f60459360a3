"""The level music really heard: with the shipped config.txt and ALSA's
default device pointed at a file, the samples the game plays are measured
while a level runs, through F1 (pause and resume) and F3 (next track)."""

import array
import math
import os
import subprocess
import time
import unittest

from zepko_e2e import Game
import jogador
from jogador import LEVEL_POINT, PLAY, Level1

TITLE_AREA = (100, 560, 600, 24)   # the track title, centred at y 565
LOUD = 300                         # RMS of music, full scale 32768
QUIET = 30
# How far behind a key press the capture may still carry music: the
# library mixes ahead of the device by a fraction of a second.
LATENCY = 0.35


def shipped_config():
    with open(os.environ["ZEPKO_CONFIG_ENVIADA"], "rb") as f:
        return f.read()


class Capture:
    def __init__(self, game):
        self.path = os.path.join(game.dir, "sound.raw")

    def size(self):
        return os.path.getsize(self.path) if os.path.exists(self.path) else 0

    def rate(self):
        """Bytes a second that reach the file."""
        a, t = self.size(), time.monotonic()
        time.sleep(1.0)
        return (self.size() - a) / (time.monotonic() - t)

    def rms(self, start, end):
        """RMS of the 16-bit samples between two offsets, around their mean.
        Read both as signed and as unsigned samples: the wrong reading wraps
        round at zero or at mid-scale and measures far louder."""
        start -= start % 2
        with open(self.path, "rb") as f:
            f.seek(start)
            data = f.read(max(0, end - start) // 2 * 2)
        if not data:
            raise AssertionError("no samples reached the capture file")

        def around_mean(s):
            mean = sum(s) / len(s)
            return math.sqrt(sum((v - mean) ** 2 for v in s) / len(s))
        return min(around_mean(array.array("h", data)), around_mean(array.array("H", data)))


class Musica(unittest.TestCase):
    def press(self, p, name):
        p.key(name, True)
        time.sleep(0.1)
        p.key(name, False)
        time.sleep(0.1)

    def test_pause_resume_and_next_track(self):
        with Game(config=shipped_config(), save=(1).to_bytes(4, "little")) as g:
            lv = Level1(g)
            p = lv.p
            cap = Capture(g)
            g.wait_window()
            g.click(*PLAY)
            lv.first_page()
            lv.open_level(1)
            time.sleep(1.0)
            rate = cap.rate()
            self.assertGreater(rate, 8000, "the capture file does not grow")
            half = int(rate / 2)

            end = cap.size()
            playing = cap.rms(end - half, end)
            title = p.area(TITLE_AREA)

            self.press(p, "F1")
            paused_at = cap.size()
            time.sleep(1.0)
            end = cap.size()
            paused = cap.rms(paused_at + int(LATENCY * rate), end)
            paused_title = p.area(TITLE_AREA)

            self.press(p, "F1")
            time.sleep(1.0)
            end = cap.size()
            resumed = cap.rms(end - half, end)
            resumed_title = p.area(TITLE_AREA)

            print(f"capture {rate:.0f} B/s; RMS playing {playing:.0f}, "
                  f"paused {paused:.0f}, resumed {resumed:.0f}", flush=True)
            self.assertGreater(playing, LOUD, "the level starts silent")
            self.assertLess(paused, QUIET, "F1 does not silence the music")
            self.assertGreater(resumed, LOUD, "a second F1 does not bring the music back")
            self.assertNotEqual(paused_title, title, "no pause shown in the title line")
            self.assertEqual(resumed_title, title, "resume plays another track")

            # F3 steps through the twelve tracks and comes round to the first.
            seen = [title]
            for _ in range(12):
                self.press(p, "F3")
                g.wait_for("the next title", lambda: p.area(TITLE_AREA) != seen[-1])
                seen.append(p.area(TITLE_AREA))
            self.assertEqual(seen[-1], title)
            self.assertEqual(len(set(seen[:-1])), 12, "two tracks show the same title")
            time.sleep(1.0)
            end = cap.size()
            self.assertGreater(cap.rms(end - half, end), LOUD)
            g.close_window()
            self.assertEqual(g.wait_exit().status, 0)


class NoSoundDevice(Game):
    """A machine whose sound card is missing: ALSA's default device names a
    card that does not exist."""

    def start(self):
        with open(os.path.join(self.dir, ".asoundrc"), "w") as f:
            f.write("pcm.!default { type hw card 7 }\nctl.!default { type hw card 7 }\n")
        env = dict(os.environ, DISPLAY=self.display_name, HOME=self.dir)
        self._out = open(os.path.join(self.dir, "stdout.txt"), "wb")
        self._err = open(os.path.join(self.dir, "stderr.txt"), "wb")
        self.proc = subprocess.Popen([os.path.join(self.game_dir, "zepko")], cwd=self.game_dir,
                                     env=env, stdin=subprocess.DEVNULL,
                                     stdout=self._out, stderr=self._err)


class SemSom(unittest.TestCase):
    def test_no_sound_device_plays_silently_without_a_message(self):
        arrows = jogador.solutions()[1][2]
        with NoSoundDevice(config=shipped_config(), save=(1).to_bytes(4, "little")) as g:
            lv = Level1(g)
            g.wait_window()
            self.assertEqual(g.messages_seen(1.0), [])
            g.click(*PLAY)
            lv.first_page()
            lv.open_level(1)
            title = lv.p.area(TITLE_AREA)
            lv.p.key("F1", True)
            time.sleep(0.1)
            lv.p.key("F1", False)
            g.wait_for("the pause in the title line", lambda: lv.p.area(TITLE_AREA) != title)
            lv.solve(arrows)
            self.assertEqual(g.read_bytes("save.bin"), (2).to_bytes(4, "little"))
            self.assertIsNone(g.find_message())
            g.close_window()
            self.assertEqual(g.wait_exit().status, 0)


if __name__ == "__main__":
    unittest.main()
