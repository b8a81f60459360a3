"""The game's page in headless Chromium, against the native game: the same
pictures at every stop of one session, and the player's progress kept in
the browser across a restart of it."""

import os
import tempfile
import unittest

from jogo_web import StaticServer, WebGame
from zepko_e2e import Game, e2e_folders, progress

e2e_folders("completo", "menus")
from sessao_metodos import Comparison, Reference, play  # noqa: E402
from telas import PLAY, on_first_page  # noqa: E402
from jogador import expect_padlocks  # noqa: E402

SITE = os.environ["ZEPKO_WEB_SITE"]
SAVE = progress(1)


class Pagina(unittest.TestCase):
    maxDiff = None

    def test_sessao_igual_a_nativa_e_progresso_guardado(self):
        reference = Reference()
        with Game(save=SAVE) as g:
            self.assertEqual(play(g, reference).status, 0)
        compare = Comparison(reference, "page", os.path.abspath("web-pictures"))
        server = StaticServer(SITE)
        self.addCleanup(server.close)
        with tempfile.TemporaryDirectory() as profile:
            with WebGame(SITE, save=SAVE, profile=profile, server=server) as w:
                result = play(w, compare)
            self.assertEqual(compare.differences, [])
            self.assertEqual(result.status, 0)
            # The browser closed and started again: level 2 is open.
            with WebGame(SITE, profile=profile, server=server) as w:
                w.wait_window()
                self.assertEqual(w.read_bytes("save.bin"), progress(2))
                w.click(*PLAY)
                w.wait_for("the first page", lambda: on_first_page(w))
                expect_padlocks(w, w.PLAYER(w), 1, 2)


if __name__ == "__main__":
    unittest.main()
