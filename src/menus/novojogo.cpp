#include "novojogo.h"

#include "play/progresso.h"
#include "screen/layout.h"
#include "screen/tela.h"
#include "shell/recursos.h"

namespace {

// The box grows a column each step and a row every second step, so its
// last step is one column short of its outline.
constexpr Retangulo CAIXA = retanguloDe("dialogo");
constexpr int W_FINAL = (CAIXA.x2 - CAIXA.x1) / 2 - 1;
static_assert(CAIXA.x1 + CAIXA.x2 == LARGURA_TELA && CAIXA.y1 + CAIXA.y2 == ALTURA_TELA &&
                  W_FINAL / 2 + 1 == (CAIXA.y2 - CAIXA.y1) / 2,
              "the dialogo entry is not the box the animation grows");
constexpr Retangulo LINHA = retanguloDe("dialogo.divisoria");
constexpr Ponto PERGUNTA = pontoDe("dialogo.figura");
constexpr Retangulo BOTAO_SIM = retanguloDe("sim.area");
constexpr Retangulo BOTAO_NAO = retanguloDe("nao.area");
constexpr Ponto SIM = pontoDe("sim.figura");
constexpr Ponto NAO = pontoDe("nao.figura");

}  // namespace

void quadroNovoJogo(BITMAP*& alvo, EstadoNovoJogo& estado, const FigurasNovoJogo& figuras,
                    Entrada& entrada, const Acoes& acoes) {
    if (estado.animar) {
        // Every step is drawn over what the target already holds and shown
        // at once, without waiting for a tick.
        estado.w = 0;
        estado.h = 0;
        while (estado.w <= W_FINAL) {
            if (estado.w % 2 == 0) ++estado.h;
            caixaMoldurada(alvo, estado.w, estado.h);
            acoes.apresenta(alvo);
            ++estado.w;
        }
        estado.animar = false;
    }

    caixaMoldurada(alvo, estado.w, estado.h);
    desenha(alvo, figuras.pergunta, PERGUNTA.x, PERGUNTA.y);
    if (entrada.sobre(BOTAO_SIM)) desenha(alvo, figuras.simAceso, SIM.x, SIM.y);
    if (entrada.sobre(BOTAO_NAO)) desenha(alvo, figuras.naoAceso, NAO.x, NAO.y);

    // Yes and no take only a press that begins over them. Any press is used
    // up in the frame it is first seen, so one that began elsewhere (the
    // press that opened the box, or one on the box's text) and is dragged
    // onto yes does nothing.
    if (entrada.clique()) {
        if (entrada.sobre(BOTAO_SIM)) {
            mapaLiberado = 1;
            salvaProgresso();
            estado.aberto = false;
        } else if (entrada.sobre(BOTAO_NAO)) {
            estado.aberto = false;
        }
        entrada.soltaBotao();
    }

    // The divider is drawn even in the frame that closes the box.
    divisoria(alvo, LINHA.x1, LINHA.x2, LINHA.y1);
}
