#include "fases.h"

#include <array>

#include "abreTela.h"
#include "fases2.h"
#include "progresso.h"
#include "recursos.h"
#include "tela.h"

namespace {

struct BotaoFase {
    Retangulo area;  // also the white frame drawn on hover
    int xCadeado, yCadeado;
};

// The areas of the background picture: not a grid. Level 4 starts higher,
// levels 3 and 4 share column 570, levels 5 and 6 column 178.
constexpr std::array<BotaoFase, 8> BOTOES_FASES{{
    {{35, 70, 180, 215}, 0, 0},  // level 1 never has a padlock
    {{181, 70, 357, 215}, 220, 220},
    {{358, 70, 570, 215}, 415, 220},
    {{570, 60, 755, 215}, 629, 220},
    {{5, 270, 178, 420}, 55, 429},
    {{178, 270, 368, 420}, 220, 429},
    {{385, 270, 530, 420}, 415, 429},
    {{560, 270, 756, 420}, 629, 429},
}};
constexpr Retangulo BOTAO_SETA{400, 508, 448, 526};
constexpr int X_SETA = 390, Y_SETA = 495;
constexpr Retangulo BOTAO_NOVO_JOGO{40, 550, 145, 565};
constexpr int X_NOVO_JOGO = 35, Y_NOVO_JOGO = 545;

}  // namespace

FigurasFases carregaFigurasFases(BITMAP* cursor) {
    return {imagem("img/stgs.bmp"),
            imagem("img/setaDir.bmp"),
            imagem("img/setaDir2.bmp"),
            imagem("img/novo jogo.bmp"),
            imagem("img/cadeado.gif"),
            {imagem("img/telaNovoJogo.bmp"), imagem("img/sim.bmp"), imagem("img/nao.bmp")},
            cursor};
}

void quadroFases(BITMAP*& alvo, EstadoFases& estado, const FigurasFases& figuras,
                 Entrada& entrada, const Acoes& acoes) {
    desenha(alvo, figuras.fundo, 0, 0);
    desenha(alvo, figuras.seta, X_SETA, Y_SETA);
    if (entrada.sobre(BOTAO_SETA)) desenha(alvo, figuras.setaAcesa, X_SETA, Y_SETA);
    if (entrada.cliqueEm(BOTAO_SETA)) acoes.fases2();

    // Each test reads the mouse afresh: after a level returns, the next
    // level's test sees the mouse as it is then.
    if (!estado.novoJogo.aberto) {
        for (int k = 1; k <= 8; ++k)
            if (entrada.cliqueEm(BOTOES_FASES[k - 1].area) && faseAberta(k)) acoes.jogar(k);
        for (const BotaoFase& b : BOTOES_FASES)
            if (entrada.sobre(b.area))
                rect(alvo, b.area.x1, b.area.y1, b.area.x2, b.area.y2, corBranca());
    }
    for (int k = 2; k <= 8; ++k)
        if (!faseAberta(k))
            desenha(alvo, figuras.cadeado, BOTOES_FASES[k - 1].xCadeado,
                    BOTOES_FASES[k - 1].yCadeado);

    if (entrada.sobre(BOTAO_NOVO_JOGO))
        desenha(alvo, figuras.novoJogoAceso, X_NOVO_JOGO, Y_NOVO_JOGO);
    if (entrada.cliqueEm(BOTAO_NOVO_JOGO)) {
        estado.novoJogo.aberto = true;
        entrada.soltaBotao();
    }

    if (estado.novoJogo.aberto)
        quadroNovoJogo(alvo, estado.novoJogo, figuras.novoJogo, entrada, acoes);
    else
        estado.novoJogo.animar = true;

    desenha(alvo, figuras.cursor, entrada.x(), entrada.y());
}

void fases() {
    EstadoFases estado;
    Acoes acoes;
    acoes.fases2 = fases2;
    acoes.jogar = jogaFase;
    acoes.apresenta = apresentaQuadro;
    abreTela(carregaFigurasFases, &FigurasFases::fundo,
             [&](BITMAP*& alvo, const FigurasFases& figuras, Entrada& entrada) {
                 quadroFases(alvo, estado, figuras, entrada, acoes);
             });
    key[KEY_ESC] = 0;
}
