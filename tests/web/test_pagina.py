"""The game's page in headless Chromium, against the native game: the same
pictures at every stop of one session, and the player's progress kept in
the browser across a restart of it; the music, the keys the game keeps
from the browser, the message dialog and the end screen."""

import os
import tempfile
import time
import unittest

from jogo_web import StaticServer, WebGame
from zepko_e2e import Game, e2e_folders, progress

e2e_folders("completo", "menus")
from sessao_metodos import Comparison, Reference, play  # noqa: E402
from telas import ARROW_NEXT, BONUS, on_title, BONUS_MESSAGE, LEVEL_1, PLAY, enter_level, in_level  # noqa: E402
from telas import on_first_page, on_second_page, quit_from_first_page, quit_from_title  # noqa: E402
from jogador import LEVEL_POINT, PARK, expect_padlocks  # noqa: E402

SITE = os.environ["ZEPKO_WEB_SITE"]
SAVE = progress(1)
LEVELS = {k: f"level {k}, first picture" for k in range(1, 11)}
# The game's own time stopped on both sides (the credit line, the level
# clock, the lot of the first track): every pixel is compared.
STILL = {"ZEPKO_TEST_TEMPO_PARADO": "1"}


def whole(shot, name):
    return shot.rgb


def every_level(g, checkpoint):
    """Opens each level from its page and back; returns the exit's Result."""
    g.wait_window()
    g.click(*PLAY)
    g.wait_for("the first page", lambda: on_first_page(g))
    for k, name in LEVELS.items():
        if k == 9:
            g.click(*ARROW_NEXT)
            g.wait_for("the second page", lambda: on_second_page(g))
        g.click(*LEVEL_POINT[k])
        g.move(*PARK)
        checkpoint(g, name, lambda: in_level(g.screenshot()))
        # Back to the page the level was chosen on.
        g.tap("Escape")
        page = on_first_page if k < 9 else on_second_page
        g.wait_for(page.__name__, lambda: page(g))
    g.tap("Escape")
    g.wait_for("the first page", lambda: on_first_page(g))
    return quit_from_first_page(g)


class Pagina(unittest.TestCase):
    maxDiff = None

    def test_sessao_igual_a_nativa_e_progresso_guardado(self):
        reference = Reference(whole)
        with Game(save=SAVE, env=STILL) as g:
            self.assertEqual(play(g, reference).status, 0)
        compare = Comparison(reference, "page", os.path.abspath("web-pictures"))
        server = StaticServer(SITE)
        self.addCleanup(server.close)
        with tempfile.TemporaryDirectory() as profile:
            with WebGame(SITE, save=SAVE, profile=profile, server=server, env=STILL) as w:
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


    def test_primeiro_quadro_de_cada_fase_igual_ao_nativo(self):
        reference = Reference(whole)
        with Game(save=progress(10), env=STILL) as g:
            self.assertEqual(every_level(g, reference).status, 0)
        compare = Comparison(reference, "page", os.path.abspath("web-pictures"))
        with WebGame(SITE, save=progress(10), env=STILL) as w:
            self.assertEqual(every_level(w, compare).status, 0)
        self.assertEqual(compare.differences, [])

    def test_musica_teclas_mensagem_e_fim(self):
        # Twice the game's size fits: every click lands through that scale.
        with WebGame(SITE, save=progress(8), window=(1700, 1400)) as w:
            w.wait_window()
            self.assertEqual(w.b.js("Module.canvas.getBoundingClientRect().width"), 1600)
            w.wait_for("the sound driver's worklet", lambda: w.b.js("!!Module.alwebAudio.node"))
            # What the sound driver hands the speakers, and whether the page
            # let a key do what the browser would do with it.
            w.b.js("""(() => {
                window.blocos = [];
                const porta = Module.alwebAudio.node.port, envia = porta.postMessage.bind(porta);
                porta.postMessage = (b, t) => {
                    let pico = 0;
                    for (const v of new Int16Array(b)) pico = Math.max(pico, Math.abs(v));
                    blocos.push([performance.now(), pico]);
                    envia(b, t);
                };
                window.livres = [];
                addEventListener('keydown', (e) => { if (!e.defaultPrevented) livres.push(e.code); });
                addEventListener('keydown', (e) => { if (e.code === 'F1') window.f1 = performance.now(); }, true);
                return true;
            })()""")
            enter_level(w, LEVEL_1)
            time.sleep(1.5)
            self.assertGreater(max(p for _, p in w.b.js("blocos")), 1000, "no music in the level")
            w.tap("F1")
            time.sleep(1)
            # About 100 ms are queued ahead of the speakers: what the page
            # mixed from 150 ms after the press on is all they play from 250 ms.
            pressed = w.b.js("f1")
            late = [p for t, p in w.b.js("blocos") if t > pressed + 150]
            self.assertTrue(late and max(late) == 0, "music went on after F1")
            for key in ("space", "v", "r", "F2", "F3", "Prior", "Next", "Up", "Down", "Left", "Right"):
                w.tap(key)
            self.assertTrue(in_level(w.screenshot()))
            w.tap("Escape")
            w.wait_for("the first page", lambda: on_first_page(w))
            self.assertEqual(w.b.js("livres"), [])

            w.click(*ARROW_NEXT)
            w.wait_for("the second page", lambda: on_second_page(w))
            w.click(*BONUS)
            box = w.wait_message()
            # The native box ends every text with a line break; a dialog shows none.
            self.assertEqual(box.text.rstrip("\n"), BONUS_MESSAGE.rstrip("\n"))
            box.dismiss()
            w.tap("Escape")
            w.wait_for("the first page", lambda: on_first_page(w))
            result = quit_from_first_page(w)
            self.assertEqual(result.status, 0)
            self.assertEqual(w.b.js("document.getElementById('fimTexto').textContent"), "O jogo terminou.")
            # Played again from the end screen.
            w.b.js("document.getElementById('deNovo').click()")
            w.wait_window()
            self.assertEqual(quit_from_title(w).status, 0)


    def test_sem_armazenamento_o_jogo_roda_e_avisa(self):
        refuse = "Object.defineProperty(window, 'indexedDB', { get() { throw new DOMException('no', 'SecurityError'); } });"
        with WebGame(SITE, before=refuse) as w:
            w.wait_window()
            w.wait_for("the title screen", lambda: on_title(w.screenshot()))
            self.assertIn("não será mantido", w.b.js("document.getElementById('nota').textContent"))


if __name__ == "__main__":
    unittest.main()
