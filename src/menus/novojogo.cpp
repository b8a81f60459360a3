#include "novojogo.h"

#include "progresso.h"
#include "recursos.h"
#include "tela.h"

namespace {

constexpr int W_FINAL = 170;  // last animation step; the box then keeps w 171
constexpr int X_PERGUNTA = 280, Y_PERGUNTA = 225;
constexpr Retangulo BOTAO_SIM{300, 338, 342, 360};
constexpr Retangulo BOTAO_NAO{450, 338, 500, 360};
constexpr int X_SIM = 300, Y_SIM = 335;
constexpr int X_NAO = 450, Y_NAO = 332;
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
    desenha(alvo, figuras.pergunta, X_PERGUNTA, Y_PERGUNTA);
    if (entrada.sobre(BOTAO_SIM)) desenha(alvo, figuras.simAceso, X_SIM, Y_SIM);
    if (entrada.sobre(BOTAO_NAO)) desenha(alvo, figuras.naoAceso, X_NAO, Y_NAO);

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
