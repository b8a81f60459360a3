"""The running game as a whole: the picture each update method puts on the
window, the close button, and a sound system that cannot start."""

import unittest

from Xlib import X, Xatom

from zepko_e2e import Game, read_config

GREENS = [(0, 100, 0), (0, 150, 0), (0, 200, 0), (0, 255, 0)]


def cursor_at(shot, x, y):
    """The arrow's tip and its diagonal of four greens are at (x, y)."""
    return all(shot.pixel(x + i, y + i) == GREENS[i] for i in range(4))


def wait_cursor(g, x, y):
    """Puts the pointer at (x, y) and waits for the cursor drawn there."""
    g.move(x, y)
    g.wait_for(f"the cursor at ({x}, {y})", lambda: cursor_at(g.screenshot(), x, y))


class Picture(unittest.TestCase):
    def test_every_update_method_shows_the_cursor_at_the_pointer(self):
        # 0, 7 and -3 mean method 1; each falls back as the X11 driver allows.
        for method in (1, 2, 3, 4, 5, 6, 0, 7, -3):
            with self.subTest(updatemethod=method), \
                    Game(config=f"[Inicializacao]\nupdatemethod = {method}\n") as g:
                g.wait_window()
                wait_cursor(g, 250, 180)
                wait_cursor(g, 600, 420)
                # The old position is painted over, not left behind.
                self.assertFalse(cursor_at(g.screenshot(), 250, 180))
                g.tap("Escape")
                self.assertEqual(g.wait_exit().status, 0)

    def test_cursor_is_clipped_at_the_bottom_right_corner(self):
        with Game() as g:
            g.wait_window()
            wait_cursor(g, 790, 590)
            g.tap("Escape")
            self.assertEqual(g.wait_exit().status, 0)


class Closing(unittest.TestCase):
    def test_close_button_ends_the_program_through_its_shutdown(self):
        with Game(config="") as g:
            g.wait_window()
            # The library's kill chord is off: it would skip the shutdown.
            g.move(400, 300)
            g.hold("ctrl+alt+End", 0.1)
            self.assertEqual(g.messages_seen(0.5), [])
            self.assertTrue(g.running())
            self.assertEqual(g.close_and_wait().status, 0)
            # Only the shutdown writes the file, so it ran.
            self.assertEqual(read_config(g.read_text("config.txt"))["Inicializacao"],
                             {"volume": "128", "vsync": "0"})
            self.assertIsNone(g.find_message())


class Identity(unittest.TestCase):
    def test_the_window_names_its_class_process_and_icon(self):
        with Game() as g:
            w = g.wait_window()
            d = g.disp
            # The class ties the window to zepko.desktop (StartupWMClass=Zepko).
            self.assertEqual(w.get_wm_class(), ("zepko", "Zepko"))
            pid = w.get_full_property(d.intern_atom("_NET_WM_PID"), Xatom.CARDINAL)
            self.assertEqual(list(pid.value), [g.proc.pid])
            data = list(w.get_full_property(d.intern_atom("_NET_WM_ICON"), Xatom.CARDINAL,
                                            sizehint=100000).value)
            icons = {}
            while data:
                width, height = data[:2]
                icons[width, height] = data[2:2 + width * height]
                data = data[2 + width * height:]
            self.assertEqual(sorted(icons), [(n, n) for n in (16, 24, 32, 48, 64, 128)])
            # The older icon (WM_HINTS) is the same 64 x 64 picture, not the library's.
            pixmap = w.get_wm_hints().icon_pixmap
            geometry = pixmap.get_geometry()
            self.assertEqual((geometry.width, geometry.height), (64, 64))
            raw = pixmap.get_image(0, 0, 64, 64, X.ZPixmap, 0xFFFFFFFF).data
            opaque = [(i, argb & 0xFFFFFF) for i, argb in enumerate(icons[64, 64]) if argb >> 24 == 255]
            self.assertGreater(len(opaque), 64 * 64 // 2)
            # XPM has fewer colours: each channel a little off, no more.
            for i, rgb in opaque:
                got = int.from_bytes(raw[4 * i:4 * i + 3], "little")
                self.assertLessEqual(max(abs((got >> s & 255) - (rgb >> s & 255)) for s in (0, 8, 16)), 24,
                                     f"pixel {i}: {got:06x}, not {rgb:06x}")
            g.tap("Escape")
            self.assertEqual(g.wait_exit().status, 0)


class NoDisplay(unittest.TestCase):
    def test_without_a_display_one_line_says_so_and_no_file_is_touched(self):
        cfg = "[Inicializacao]\nvolume = 50\n"
        # No DISPLAY (a text console), or one that is gone (an ssh session's).
        for tela, motivo in ((None, "DISPLAY is not set"), (":65000", "cannot open DISPLAY :65000")):
            with self.subTest(DISPLAY=tela), \
                    Game(config=cfg, remove=["save.bin"], display=False, env={"DISPLAY": tela}) as g:
                res = g.wait_exit()
                self.assertEqual(res.status, 255)
                self.assertEqual(res.stderr, f"zepko: cannot start: no graphical display ({motivo})\n")
                self.assertEqual(g.read_text("config.txt"), cfg)
                self.assertFalse(g.exists("save.bin"))


class Sound(unittest.TestCase):
    def test_failing_sound_shows_one_message_and_the_game_goes_on(self):
        cfg = ("[sound]\ndigi_card = ALSA\nalsa_device = zepko_no_such_device\n"
               "[Inicializacao]\nvolume = 77\n")
        with Game(config=cfg) as g:
            box = g.wait_message()
            self.assertTrue(box.text.startswith("Sound Error: "), box.text)
            self.assertGreater(len(box.text.strip()), len("Sound Error:"))
            box.dismiss()
            g.wait_window()
            self.assertEqual(g.messages_seen(0.5), [])
            wait_cursor(g, 200, 100)
            g.tap("Escape")
            self.assertEqual(g.wait_exit().status, 0)
            self.assertEqual(read_config(g.read_text("config.txt"))["Inicializacao"]["volume"], "77")


if __name__ == "__main__":
    unittest.main()
