#include "fases.h"

#include <array>

#include "menus/abreTela.h"
#include "menus/fases2.h"
#include "play/progresso.h"
#include "screen/layout.h"
#include "screen/tela.h"
#include "shell/recursos.h"

namespace {

struct BotaoFase {
    Retangulo area;  // also the white frame drawn on hover
    Ponto cadeado;   // level 1 never has a padlock
};

constexpr BotaoFase botaoFase(const char* area, const char* legenda) {
    return {retanguloDe(area), pontoDe(legenda)};
}

// The areas of the background picture: not a grid. Level 4 starts higher,
// levels 3 and 4 share column 570, levels 5 and 6 column 178.
constexpr std::array<BotaoFase, 8> BOTOES_FASES{{
    botaoFase("fase1.area", "legenda1"),
    botaoFase("fase2.area", "legenda2"),
    botaoFase("fase3.area", "legenda3"),
    botaoFase("fase4.area", "legenda4"),
    botaoFase("fase5.area", "legenda5"),
    botaoFase("fase6.area", "legenda6"),
    botaoFase("fase7.area", "legenda7"),
    botaoFase("fase8.area", "legenda8"),
}};
constexpr Retangulo BOTAO_SETA = retanguloDe("setaDir.area");
constexpr Ponto SETA = pontoDe("setaDir.figura");
constexpr Retangulo BOTAO_NOVO_JOGO = retanguloDe("novo.area");
constexpr Ponto NOVO_JOGO = pontoDe("novo.figura");

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
    desenha(alvo, figuras.seta, SETA.x, SETA.y);
    if (entrada.sobre(BOTAO_SETA)) desenha(alvo, figuras.setaAcesa, SETA.x, SETA.y);
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
            desenha(alvo, figuras.cadeado, BOTOES_FASES[k - 1].cadeado.x,
                    BOTOES_FASES[k - 1].cadeado.y);

    if (entrada.sobre(BOTAO_NOVO_JOGO))
        desenha(alvo, figuras.novoJogoAceso, NOVO_JOGO.x, NOVO_JOGO.y);
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
    Entrada().soltaTecla(KEY_ESC);
}
