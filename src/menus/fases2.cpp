#include "fases2.h"

#include "menus/abreTela.h"
#include "play/jogar.h"
#include "play/progresso.h"
#include "screen/layout.h"
#include "screen/tela.h"
#include "shell/laco.h"
#include "shell/recursos.h"

const char* const MENSAGEM_BONUS =
    "Voc\xEA precisa completar todos os outros n\xEDveis para habilitar a fase b\xF4nus !!! ";

namespace {

constexpr Retangulo BOTAO_VOLTAR = retanguloDe("setaEsq.area");
constexpr Ponto SETA = pontoDe("setaEsq.figura");
constexpr Retangulo BOTAO_FASE9 = retanguloDe("fase9.area");  // also the white frame
constexpr Ponto CADEADO = pontoDe("legenda9");
constexpr Retangulo BOTAO_BONUS = retanguloDe("bonus.area");
constexpr Ponto BONUS = pontoDe("bonus.figura");
constexpr int FASE_BONUS = 10;

void mostraMensagem(const char* texto) {
    liberaAlvo();
    allegro_message("%s", texto);
}

}  // namespace

FigurasFases2 carregaFigurasFases2(BITMAP* cursor) {
    return {imagem("img/stgs2.bmp"),    imagem("img/bonus.bmp"), imagem("img/setaEsq.bmp"),
            imagem("img/setaEsq2.bmp"), imagem("img/cadeado.gif"), cursor};
}

void quadroFases2(BITMAP* alvo, EstadoFases2& estado, const FigurasFases2& figuras,
                  Entrada& entrada, const Acoes& acoes) {
    desenha(alvo, figuras.fundo, 0, 0);
    desenha(alvo, figuras.seta, SETA.x, SETA.y);
    if (entrada.sobre(BOTAO_VOLTAR)) desenha(alvo, figuras.setaAcesa, SETA.x, SETA.y);
    if (entrada.cliqueEm(BOTAO_VOLTAR)) estado.sair = true;

    if (entrada.cliqueEm(BOTAO_FASE9) && faseAberta(9)) acoes.jogar(9);
    if (entrada.cliqueEm(BOTAO_BONUS)) {
        if (faseAberta(FASE_BONUS))
            acoes.jogar(FASE_BONUS);
        else
            acoes.mensagem(MENSAGEM_BONUS);
        // One message a press, however long the button stays down.
        entrada.soltaBotao();
    }

    if (entrada.sobre(BOTAO_FASE9))
        rect(alvo, BOTAO_FASE9.x1, BOTAO_FASE9.y1, BOTAO_FASE9.x2, BOTAO_FASE9.y2,
             corBranca());
    if (entrada.sobre(BOTAO_BONUS)) desenha(alvo, figuras.bonusAceso, BONUS.x, BONUS.y);
    if (!faseAberta(9)) desenha(alvo, figuras.cadeado, CADEADO.x, CADEADO.y);

    desenha(alvo, figuras.cursor, entrada.x(), entrada.y());
}

void jogaFase(int numero) { jogar(tabelaFases[numero - 1]); }

void fases2() {
    EstadoFases2 estado;
    Acoes acoes;
    acoes.jogar = jogaFase;
    acoes.mensagem = mostraMensagem;
    abreTela(
        carregaFigurasFases2, &FigurasFases2::fundo,
        [&](BITMAP*& alvo, const FigurasFases2& figuras, Entrada& entrada) {
            quadroFases2(alvo, estado, figuras, entrada, acoes);
        },
        [&] { return estado.sair; });
    Entrada().soltaTecla(KEY_ESC);
}
