#include "novojogo.h"

#include "play/progresso.h"
#include "screen/layout.h"
#include "screen/tela.h"
#include "shell/recursos.h"

namespace {

constexpr int W_FINAL = 170;  // last animation step; the box then keeps w 171
constexpr Ponto PERGUNTA = pontoDe("dialogo.figura");
constexpr Retangulo BOTAO_SIM = retanguloDe("sim.area");
constexpr Retangulo BOTAO_NAO = retanguloDe("nao.area");
constexpr Ponto SIM = pontoDe("sim.figura");
constexpr Ponto NAO = pontoDe("nao.figura");
constexpr int X_LINHA1 = 270, X_LINHA2 = 530, Y_LINHA = 310;

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
    divisoria(alvo, X_LINHA1, X_LINHA2, Y_LINHA);
}
