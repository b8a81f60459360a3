"""The page-flipping update methods under Wine's DirectX, each played
against method 4 (sessao_metodos). Pictures that differ are kept under
wine-methods/ in the test's working folder."""

import shutil
import unittest

from wine_game import WineGame, unpack_zip
from sessao_metodos import SAVE, PageFlippingTests, config


class PageFlipping(PageFlippingTests, unittest.TestCase):
    # Only makes the game say which method it set up: DirectX gives video
    # pages whatever the screen's size.
    ENV = {"ZEPKO_TEST_VIDEO_PAGES": "1"}
    FOLDER = "wine-methods"

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.tmp, cls.run_dir = unpack_zip("zepko-methods-")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def game(self, method, env):
        return WineGame(run_dir=self.run_dir, config=config(method), save=SAVE, env=env)


if __name__ == "__main__":
    unittest.main()
