"""The page-flipping update methods on the X11 driver with real video pages,
each played against method 4 (sessao_metodos). Pictures that differ are
kept under x11-methods/ in the test's working folder."""

import unittest

from zepko_e2e import Game
from sessao_metodos import SAVE, PageFlippingTests, config


class PageFlipping(PageFlippingTests, unittest.TestCase):
    # A virtual screen three pages high, which only tests ask for.
    ENV = {"ZEPKO_TEST_VIDEO_PAGES": "3"}
    FOLDER = "x11-methods"

    def game(self, method, env):
        return Game(config=config(method), save=SAVE, env=env)


if __name__ == "__main__":
    unittest.main()
