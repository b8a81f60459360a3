"""The menus' hold on progress, seen from outside: the locked bonus level's
message box, the new-game confirmation and the unlock key."""

import time
import unittest

from zepko_e2e import Game, progress
import telas


class BonusLevel(unittest.TestCase):
    def test_locked_bonus_shows_the_message_and_the_page_goes_on(self):
        with Game(save=progress(8)) as g:
            g.wait_window()
            telas.open_second_page(g)
            g.click(*telas.BONUS)
            box = g.wait_message()
            self.assertEqual(box.text, telas.BONUS_MESSAGE)
            box.dismiss()
            g.wait_for("the box to go", lambda: g.find_message() is None)
            telas.wait_second_page(g)
            # The press that showed the box does not show it again.
            self.assertEqual(g.messages_seen(0.6), [])
            self.assertEqual(telas.back_out_and_quit(g).status, 0)
            self.assertEqual(g.read_bytes("save.bin"), progress(8))


class NewGame(unittest.TestCase):
    def _open_box(self, g):
        telas.open_first_page(g)
        g.click(*telas.NEW_GAME)
        g.move(600, 500)
        g.wait_for("the new-game box", lambda: telas.on_new_game_box(g))

    def test_yes_resets_progress_at_once(self):
        with Game(save=progress(7)) as g:
            g.wait_window()
            self._open_box(g)
            g.click(*telas.YES)
            g.wait_for("save.bin to hold 1", lambda: g.read_bytes("save.bin") == progress(1))
            self.assertEqual(telas.quit_from_first_page(g).status, 0)
            self.assertEqual(g.read_bytes("save.bin"), progress(1))

    def test_no_leaves_progress_alone(self):
        with Game(save=progress(7)) as g:
            g.wait_window()
            self._open_box(g)
            g.click(*telas.NO)
            telas.wait_first_page(g)  # the box no longer hides the level buttons
            self.assertEqual(telas.quit_from_first_page(g).status, 0)
            self.assertEqual(g.read_bytes("save.bin"), progress(7))


class UnlockKey(unittest.TestCase):
    def test_unlock_lasts_until_the_game_ends(self):
        with Game(save=progress(3)) as g:
            g.wait_window()
            telas.wait_title(g)
            g.hold("l", 0.3)
            telas.open_second_page(g)
            # The bonus level is open now: a click starts it, no message.
            g.click(*telas.BONUS)
            self.assertEqual(g.messages_seen(1.0), [])
            g.wait_for("the bonus level", lambda: not telas.on_second_page(g))
            for _ in range(3):
                g.tap("Escape")
                time.sleep(0.3)
            self.assertEqual(telas.quit_from_title(g).status, 0)
            kept = g.read_bytes("save.bin")
        self.assertEqual(kept, progress(3))

        # The next start reads the old value: the bonus level is locked again.
        with Game(save=kept) as g:
            g.wait_window()
            telas.open_second_page(g)
            g.click(*telas.BONUS)
            self.assertEqual(g.wait_message().text, telas.BONUS_MESSAGE)


if __name__ == "__main__":
    unittest.main()
