// The steps of one level frame, in the order the game runs them: the rules'
// calls, with the screen's input and drawing between them. The level screen
// (partida.cpp) runs them with the keys, the mouse and its pictures; the
// rules' tests with scripted input, so they check the game's order itself.
// Plain C++: no Allegro here.
#pragma once

#include <atomic>

#include "play/fase.h"
#include "play/regras.h"
#include "play/tocador.h"

// Which step reads the arrows: they may change between the reads.
enum class LeituraSetas { parede, tecla, bloqueios };

// `tela` answers and does, each when its step comes:
//   desenhaTabuleiro(), desenhaBotoes(), desenhaCaixas(), desenhaHeroi(),
//   desenhaPainel() (panel and counters), desenhaRelogio(),
//   desenhaMusica() (the track's title, then the pointer);
//   bool teclaV(), teclaR(); Mouse mouse(); Setas setas(LeituraSetas);
//   int larguraCaixa(), alturaCaixa() (the box picture's size);
//   recolhe() (presses noted during the drawing), bool teclaEsperando(),
//   pausa(ms), esvaziaTeclado(), termina() (Esc written down);
//   tocaFaixa(n), paraMusica(), TeclasMusica teclasMusica() (taken once).
// `segundos` is the level clock's counter (contTempo in the game).
template <class Tela>
void passaQuadro(EstadoFase& s, const DadosFase& f, Tela& tela, std::atomic<int>& segundos) {
    tela.desenhaTabuleiro();
    if (f.layoutBotoes == Estilo::padrao) tela.desenhaBotoes();

    // Undo and restart.
    pedidosBotoes(s, f, tela.teclaV(), tela.teclaR(), tela.mouse(), segundos);

    // Boxes and hero as the previous frame left them: a move shows next frame.
    tela.desenhaCaixas();
    // The wall test.
    testeParede(s, f, tela.setas(LeituraSetas::parede), tela.larguraCaixa(), tela.alturaCaixa());
    tela.desenhaHeroi();

    // The move. A press that came during this frame's drawing is taken now,
    // with its direction, rather than as a press with no arrow.
    tela.recolhe();
    if (tela.teclaEsperando()) {
        const Tecla t = processaTecla(s, f, tela.setas(LeituraSetas::tecla));
        if (t == Tecla::comSeta) tela.pausa(50);  // limits the walking speed
        if (t != Tecla::ignorada) tela.esvaziaTeclado();
    }

    // The targets, then the blocking flags.
    if (avaliaAlvos(s, f)) tela.termina();
    if (liberaBloqueios(s, tela.setas(LeituraSetas::bloqueios))) tela.esvaziaTeclado();

    // The status bar and the clock.
    tela.desenhaPainel();
    atualizaRelogio(s, segundos);
    tela.desenhaRelogio();

    // The bonus layout sits over the panel: only the cursor goes over it.
    if (f.layoutBotoes == Estilo::bonus) tela.desenhaBotoes();

    // The music player: the track due, its title, then F1..F3.
    const AcaoMusica acao = passoMusica(s);
    if (acao.tipo == AcaoMusica::tocar) tela.tocaFaixa(acao.faixa);
    if (acao.tipo == AcaoMusica::parar) tela.paraMusica();
    tela.desenhaMusica();
    if (teclasMusica(s, tela.teclasMusica())) tela.paraMusica();
}
