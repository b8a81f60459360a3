"""The page-flipping update methods under Wine's DirectX: one session each,
drawn by changes and drawn whole, that must show at every stop what
method 4 shows. Pictures that differ are kept under wine-methods/ in the
test's working folder."""

import os
import shutil
import tempfile
import unittest
import zipfile

from wine_game import WineGame
from sessao_metodos import SAVE, Comparison, Reference, config, method_in_force, play

FOLDER = os.path.join(os.getcwd(), "wine-methods")
# ZEPKO_TEST_VIDEO_PAGES only makes the game say which method it set up:
# DirectX gives video pages whatever the screen's size, and refuses a
# virtual screen taller than the window.
METHOD_LINE = {"ZEPKO_TEST_VIDEO_PAGES": "1"}
# A window has no triple buffering: 1 and 5 fall back to their page flipping.
IN_FORCE = {1: 2, 2: 2, 5: 6, 6: 6}


class PageFlipping(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="zepko-methods-")
        with zipfile.ZipFile(os.environ["ZEPKO_ZIP"]) as z:
            z.extractall(cls.tmp)
        cls.run_dir = os.path.join(cls.tmp, "zepko")
        shutil.rmtree(FOLDER, ignore_errors=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def session(self, method, env, checkpoint):
        """Plays the session; returns the method in force."""
        with WineGame(run_dir=self.run_dir, config=config(method), save=SAVE, env=env) as g:
            in_force = method_in_force(g)
            result = play(g, checkpoint)
        self.assertEqual(result.status, 0, f"method {method}: exit status")
        return in_force

    def methods_against_four(self, mode, present):
        env = dict(METHOD_LINE, **present)
        reference = Reference()
        self.assertEqual(self.session(4, env, reference), 4)
        faults = []
        for method in (1, 2, 5, 6):
            label = f"method {method}, {mode}"
            compare = Comparison(reference, label, FOLDER)
            try:
                in_force = self.session(method, env, compare)
                if in_force != IN_FORCE[method]:
                    faults.append(f"{label}: method {in_force} in force")
            except AssertionError as e:  # a frozen game, or one that ended wrong
                faults.append(f"{label}: {e}")
            faults += compare.differences
        self.assertEqual(faults, [])

    def test_drawn_by_changes(self):
        self.methods_against_four("drawn by changes", {})

    def test_drawn_whole(self):
        self.methods_against_four("drawn whole", {"ZEPKO_PRESENT": "full"})


if __name__ == "__main__":
    unittest.main()
