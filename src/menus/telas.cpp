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

void mostraMensagem(const char* texto) { allegro_message("%s", texto); }

}  // namespace

void telaTitulo() {
    Bitmap primeiro(create_bitmap(800, 600));
    Bitmap cursor(makeCursor());
    FigurasTitulo figuras{imagem("img/ZepkoLogo.bmp"), imagem("img/x.bmp"), cursor.get()};
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
    FigurasFases figuras{imagem("img/stgs.bmp"),
                         imagem("img/setaDir.bmp"),
                         imagem("img/setaDir2.bmp"),
                         imagem("img/novo jogo.bmp"),
                         imagem("img/cadeado.gif"),
                         {imagem("img/telaNovoJogo.bmp"), imagem("img/sim.bmp"),
                          imagem("img/nao.bmp")},
                         nullptr};
    Bitmap primeiro(create_bitmap(800, 600));
    Bitmap cursor(makeCursor());
    figuras.cursor = cursor.get();
    // The press on the title screen's play button lies over levels 6 and 7:
    // it must not count here until the library reports the mouse again.
    mouse_b = 0;
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
    FigurasFases2 figuras{imagem("img/stgs2.bmp"),    imagem("img/bonus.bmp"),
                          imagem("img/setaEsq.bmp"),  imagem("img/setaEsq2.bmp"),
                          imagem("img/cadeado.gif"),  nullptr};
    Bitmap primeiro(create_bitmap(800, 600));
    Bitmap cursor(makeCursor());
    figuras.cursor = cursor.get();
    mouse_b = 0;
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
