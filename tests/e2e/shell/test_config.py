"""config.txt as the player meets it: defaults, what is written back at exit,
what is ignored, and what unusable or garbled settings lead to."""

import unittest

from zepko_e2e import Game, read_config


class Settings(unittest.TestCase):
    def run_with(self, cfg, cursor=None):
        """Starts with config.txt = cfg, checks the window (and the cursor
        drawn at `cursor`), leaves with Escape and returns config.txt as the
        clean exit left it."""
        with Game(config=cfg) as g:
            g.wait_window()
            self.assertEqual((g.window_size(), g.window_title()), ((800, 600), "Zepko"))
            if cursor:
                # Exact greens need a true-colour depth (32 by default).
                g.move(*cursor)
                g.wait_for("the cursor", lambda: g.screenshot().pixel(*cursor) == (0, 100, 0))
            g.tap("Escape")
            self.assertEqual(g.wait_exit().status, 0)
            return read_config(g.read_text("config.txt"))


class WrittenBack(Settings):
    def test_missing_file_is_created_with_the_two_defaults(self):
        self.assertEqual(self.run_with("", cursor=(400, 300)),
                         {"": {}, "Inicializacao": {"volume": "128", "vsync": "0"}})

    def test_volume_and_vsync_are_kept(self):
        cfg = "[Inicializacao]\ncolordepth = 32\nvolume = 50\nvsync = 1\nupdatemethod = 1\n"
        self.assertEqual(self.run_with(cfg)["Inicializacao"],
                         {"colordepth": "32", "volume": "50", "vsync": "1", "updatemethod": "1"})

    def test_resolution_keys_do_not_size_the_window(self):
        ini = self.run_with("[Inicializacao]\nresolucaox = 1024\nresolucaoy = 768\n")["Inicializacao"]
        self.assertEqual((ini["resolucaox"], ini["resolucaoy"]), ("1024", "768"))
        self.assertEqual((ini["volume"], ini["vsync"]), ("128", "0"))

    def test_out_of_range_update_method_runs_and_stays_in_the_file(self):
        ini = self.run_with("[Inicializacao]\nupdatemethod = 9\n", cursor=(300, 200))["Inicializacao"]
        self.assertEqual(ini["updatemethod"], "9")


class FullDisk(Game):
    """The game allowed no file over 32 KiB, as on a disk that fills up."""

    def command(self):
        # Past the limit a write fails (EFBIG) instead of ending the game.
        return ["sh", "-c", 'trap "" XFSZ; ulimit -f 64; exec "$0"'] + super().command()

    def asoundrc(self):
        return "pcm.!default { type null }\n"  # no sound.raw to fill


class WrittenWhole(unittest.TestCase):
    def test_a_write_cut_short_leaves_the_file_as_it_was(self):
        # 32 KiB exactly: the file fits, but not with the two keys added,
        # which go before the blank line, inside what a cut write keeps.
        notes = "[Inicializacao]\ncolordepth = 32\n\n[Notas]\n" + "".join(f"# {n:013}\n" for n in range(2045))
        cfg = (notes + "#" * (32767 - len(notes)) + "\n").encode()
        with FullDisk(config=cfg) as g:
            g.wait_window()
            g.tap("Escape")
            self.assertEqual(g.wait_exit().status, 0)
            self.assertEqual(g.read_bytes("config.txt"), cfg)
            self.assertFalse(g.exists("config.txt.new"))


class UnusableColourDepth(unittest.TestCase):
    def check_refused(self, cfg):
        with Game(config=cfg) as g:
            before = (g.read_bytes("config.txt"), g.mtime_ns("config.txt"))
            box = g.wait_message()
            # The library's own error text is the whole message.
            self.assertEqual(box.text.strip(), "Unsupported color depth")
            box.dismiss()
            res = g.wait_exit()
            self.assertEqual(res.status, 255)
            self.assertEqual((g.read_bytes("config.txt"), g.mtime_ns("config.txt")), before)

    def test_depth_13_shows_one_message_and_exits_255(self):
        self.check_refused("[Inicializacao]\ncolordepth = 13\nvolume = 50\n")

    def test_garbage_depth_reads_as_0_and_is_refused(self):
        self.check_refused("[Inicializacao]\ncolordepth = deep\n")


class Garbled(Settings):
    def test_garbage_numbers_read_as_their_leading_digits(self):
        # Values are read like C's strtol: "abc" is 0, "2x" is 2, "0x10" is 16.
        cfg = ("[Inicializacao]\nvolume = abc\nvsync = 2x\nresolucaox = lots\n"
               "resolucaoy = 0x10\nupdatemethod = -3\n")
        ini = self.run_with(cfg, cursor=(120, 90))["Inicializacao"]
        self.assertEqual((ini["volume"], ini["vsync"]), ("0", "2"))
        self.assertEqual((ini["resolucaox"], ini["resolucaoy"], ini["updatemethod"]),
                         ("lots", "0x10", "-3"))

    def test_keys_outside_the_section_are_not_read(self):
        cfg = self.run_with("volume = 50\nvsync = 1\n")
        self.assertEqual(cfg[""], {"volume": "50", "vsync": "1"})
        self.assertEqual(cfg["Inicializacao"], {"volume": "128", "vsync": "0"})

    def test_binary_junk_gives_the_defaults(self):
        ini = self.run_with(bytes(range(1, 256)) + b"\n[\n]]=\n=\xff\n")["Inicializacao"]
        self.assertEqual((ini["volume"], ini["vsync"]), ("128", "0"))


if __name__ == "__main__":
    unittest.main()
