#include "jogar.h"

#include <allegro.h>

#include "fimDeFase.h"
#include "globais.h"
#include "laco.h"
#include "partida.h"
#include "recursos.h"
#include "regras.h"

void jogar(const DadosFase& fase) {
    Bitmap primeiro(create_bitmap(800, 600));
    Partida p(fase, carregaRecursosFase(fase.conjuntoPecas));
    iniciaMusica(p);

    rodaLaco(primeiro.get(), [&](BITMAP*& alvo) { quadroPartida(p, alvo); });

    if (todasNoAlvo(p.estado)) {
        const EstadoFase& s = p.estado;
        fimDeFase(s.minutos, s.segundos, s.passos, s.movimentos, fase.numero);
        // The panel stays up, with the music, until Enter; closing the
        // window ends the wait too rather than being ignored.
        while (!key[KEY_ENTER] && !FecharJogo) rest(10);
    }
    stop_midi();
    clear_keybuf();
    key[KEY_ESC] = 0;
}
