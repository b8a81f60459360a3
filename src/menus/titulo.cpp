#include "titulo.h"

#include "menus/abreTela.h"
#include "menus/fases.h"
#include "menus/menus.h"
#include "play/progresso.h"
#include "screen/layout.h"
#include "shell/globais.h"
#include "shell/recursos.h"

// Plain text: it is the format string of textprintf_ex.
const char* const TEXTO_CREDITO = "Zepko - um jogo de empurrar caixas";

namespace {

constexpr Retangulo BOTAO_JOGAR = retanguloDe("jogar.area");
constexpr Retangulo BOTAO_SAIR = retanguloDe("sair.area");
constexpr Ponto DESTAQUE_JOGAR = pontoDe("marca.figura");
constexpr Ponto DESTAQUE_SAIR = pontoDe("marca.sair");
constexpr Retangulo BARRA{0, 582, 800, 595};
constexpr int Y_CREDITO = 585;
constexpr int X_CREDITO_MAX = 223;

}  // namespace

FigurasTitulo carregaFigurasTitulo(BITMAP* cursor) {
    return {imagem("img/ZepkoLogo.bmp"), imagem("img/x.bmp"), cursor};
}

int avancaCredito(EstadoTitulo& e) {
    if (e.xCredito == 0) {
        e.paraEsquerda = false;
        ++e.xCredito;
    } else if (e.xCredito == X_CREDITO_MAX) {
        e.paraEsquerda = true;
    }
    e.xCredito += e.paraEsquerda ? -1 : 1;
    return e.xCredito;
}

void quadroTitulo(BITMAP* alvo, EstadoTitulo& estado, const FigurasTitulo& figuras,
                  Entrada& entrada, const Acoes& acoes) {
    // Holding L opens every level for this run only.
    if (entrada.tecla(KEY_L)) mapaLiberado = 10;

    desenha(alvo, figuras.logo, 0, 0);
    if (entrada.sobre(BOTAO_JOGAR))
        desenha(alvo, figuras.destaque, DESTAQUE_JOGAR.x, DESTAQUE_JOGAR.y);
    if (entrada.sobre(BOTAO_SAIR)) desenha(alvo, figuras.destaque, DESTAQUE_SAIR.x, DESTAQUE_SAIR.y);

    if (entrada.cliqueEm(BOTAO_JOGAR)) acoes.fases();
    if (entrada.cliqueEm(BOTAO_SAIR)) FecharJogo = 1;

    rectfill(alvo, BARRA.x1, BARRA.y1, BARRA.x2, BARRA.y2, makecol(30, 30, 30));
    // With the game's time stopped (tests) the line stands halfway.
    int x = tempoParado() ? X_CREDITO_MAX / 2 : avancaCredito(estado);
    textprintf_ex(alvo, font, x, Y_CREDITO, makecol(150, 150, 150), -1, TEXTO_CREDITO);

    desenha(alvo, figuras.cursor, entrada.x(), entrada.y());
}

void telaTitulo() {
    EstadoTitulo estado;
    Acoes acoes;
    acoes.fases = fases;
    // No clean-up: Escape here is meant to end the game.
    abreTela(carregaFigurasTitulo, &FigurasTitulo::logo,
             [&](BITMAP*& alvo, const FigurasTitulo& figuras, Entrada& entrada) {
                 quadroTitulo(alvo, estado, figuras, entrada, acoes);
             });
}
