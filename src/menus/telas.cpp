#include "menus.h"

#include "cursor.h"
#include "fases.h"
#include "fases2.h"
#include "jogar.h"
#include "laco.h"
#include "recursos.h"
#include "titulo.h"

namespace {

void jogaFase(int numero) { jogar(tabelaFases[numero - 1]); }

void mostraMensagem(const char* texto) {
    liberaAlvo();
    allegro_message("%s", texto);
}

}  // namespace

void telaTitulo() {
    Bitmap primeiro(create_bitmap(800, 600));
    Bitmap cursor(makeCursor());
    const FigurasTitulo figuras = carregaFigurasTitulo(cursor.get());
    EstadoTitulo estado;
    Entrada entrada;
    Acoes acoes;
    acoes.fases = fases;
    // No clean-up: Escape here is meant to end the game.
    rodaLaco(
        primeiro.get(),
        [&](BITMAP*& alvo) { quadroTitulo(alvo, estado, figuras, entrada, acoes); }, {},
        cobreQuadro(figuras.logo));
}

void fases() {
    Bitmap primeiro(create_bitmap(800, 600));
    Bitmap cursor(makeCursor());
    const FigurasFases figuras = carregaFigurasFases(cursor.get());
    EstadoFases estado;
    Entrada entrada;
    Acoes acoes;
    acoes.fases2 = fases2;
    acoes.jogar = jogaFase;
    acoes.apresenta = apresentaQuadro;
    rodaLaco(
        primeiro.get(),
        [&](BITMAP*& alvo) { quadroFases(alvo, estado, figuras, entrada, acoes); }, {},
        cobreQuadro(figuras.fundo));
    key[KEY_ESC] = 0;
}

void fases2() {
    Bitmap primeiro(create_bitmap(800, 600));
    Bitmap cursor(makeCursor());
    const FigurasFases2 figuras = carregaFigurasFases2(cursor.get());
    EstadoFases2 estado;
    Entrada entrada;
    Acoes acoes;
    acoes.jogar = jogaFase;
    acoes.mensagem = mostraMensagem;
    rodaLaco(
        primeiro.get(),
        [&](BITMAP*& alvo) { quadroFases2(alvo, estado, figuras, entrada, acoes); },
        [&] { return estado.sair; }, cobreQuadro(figuras.fundo));
    key[KEY_ESC] = 0;
}
