"""Settings the game must survive: every colour depth the X11 driver offers,
update methods outside 1 to 6, numbers too big for an int, a config.txt
whose section is missing or buried in junk. (Depth 13 and plain garbage
numbers are covered by the shell's own config tests.)"""

import time
import unittest

from zepko_e2e import Game, read_config
import jogador
from jogador import LEVEL_POINT, PLAY, Level1

HUGE = "99999999999"


class ConfigExtremos(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.arrows = jogador.solutions()[1][2]

    def play_level_1(self, config, tol=0):
        """Title, first page, level 1 solved and its panel, each seen in
        its known colours; returns config.txt's section after a clean exit."""
        with Game(config=config) as g:
            lv = Level1(g, tol)
            g.wait_window()
            self.assertEqual(g.window_size(), (800, 600))
            g.wait_for("the title screen's bar", lv.p.on_title)
            lv.enter(1)
            lv.solve(self.arrows)
            res = g.close_and_wait()
            self.assertEqual(res.status, 0, res.stderr)
            return read_config(g.read_text("config.txt")).get("Inicializacao", {})

    def test_colour_depths_with_odd_update_methods(self):
        # 15 and 16 bits round each component to 5 or 6 bits.
        for depth, method, tol in ((15, 0, 8), (16, 7, 8), (24, -3, 0), (32, 0, 0)):
            with self.subTest(depth=depth, updatemethod=method):
                ini = self.play_level_1(
                    f"[Inicializacao]\ncolordepth = {depth}\nupdatemethod = {method}\n", tol)
                self.assertEqual(ini.get("updatemethod"), str(method))
                self.assertEqual(ini.get("colordepth"), str(depth))

    def test_numbers_too_big_for_an_int(self):
        ini = self.play_level_1("[Inicializacao]\n" + "".join(
            f"{k} = {HUGE}\n" for k in ("volume", "vsync", "resolucaox", "resolucaoy",
                                        "updatemethod")))
        self.assertEqual(ini.get("updatemethod"), HUGE)
        self.assertEqual(ini.get("resolucaox"), HUGE)
        # Read as an int and written back as one: whatever it became, a number.
        int(ini["volume"])

    def test_section_missing_among_junk(self):
        junk = ("\x01\x02 garbage line\n[Inicializa\n= 5\n==\n[Outra]\n"
                "colordepth = 13\nupdatemethod = 4\n")
        ini = self.play_level_1(junk)
        self.assertEqual((ini.get("volume"), ini.get("vsync")), ("128", "0"))

    def test_eight_bit_colour_runs(self):
        with Game(config="[Inicializacao]\ncolordepth = 8\n") as g:
            lv = Level1(g)
            g.wait_window()
            time.sleep(0.5)
            g.click(*PLAY)
            time.sleep(0.5)
            g.click(*LEVEL_POINT[1])
            time.sleep(0.5)
            lv.blind(self.arrows)
            time.sleep(0.5)
            self.assertTrue(g.running())
            g.tap("Return")
            res = g.close_and_wait()
            self.assertEqual(res.status, 0, res.stderr)


if __name__ == "__main__":
    unittest.main()
