#include "jogar.h"

#include <allegro.h>

#include "play/fimDeFase.h"
#include "play/partida.h"
#include "play/regras.h"
#include "screen/tela.h"
#include "shell/entrada.h"
#include "shell/laco.h"
#include "shell/recursos.h"

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
    silenciaMusica();
    clear_keybuf();
    descartaToques();
    toquesDoQuadro.limpa();
    Entrada().soltaTecla(KEY_ESC);
}
