#include "jogar.h"

#include <allegro.h>

#include "entrada.h"
#include "fimDeFase.h"
#include "laco.h"
#include "partida.h"
#include "recursos.h"
#include "regras.h"
#include "tela.h"

void jogar(const DadosFase& fase) {
    Bitmap primeiro(create_bitmap(LARGURA_TELA, ALTURA_TELA));
    Partida p(fase, carregaRecursosFase(fase.conjuntoPecas));
    iniciaMusica(p);

    // Every frame starts with a copy of the whole board.
    rodaLaco(primeiro.get(), [&](BITMAP*& alvo) { quadroPartida(p, alvo); }, {}, true);

    if (todasNoAlvo(p.estado)) {
        const EstadoFase& s = p.estado;
        fimDeFase(s.minutos, s.segundos, s.passos, s.movimentos, fase.numero);
        // The panel stays up, with the music, until Enter and nothing else:
        // a close request waits for it and takes effect on the page behind.
        // The short rest keeps the wait from spinning a core.
        // A short Enter counts too (the presses from the panel's start on).
        Entrada entrada;
        for (;;) {
            recolheToques();
            if (entrada.tecla(KEY_ENTER)) break;
            descansa(10);
        }
    }
    stop_midi();
    clear_keybuf();
    descartaToques();
    toquesDoQuadro.limpa();
    key[KEY_ESC] = 0;
}
