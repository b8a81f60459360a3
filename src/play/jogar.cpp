#include "jogar.h"

#include <cstdlib>
#include <ctime>

#include <allegro.h>

#include "faixas.h"
#include "fimDeFase.h"
#include "globais.h"
#include "laco.h"
#include "partida.h"
#include "recursos.h"
#include "regras.h"
#include "tocador.h"

namespace {

void tocaFaixa(int numero) {
    // A missing track is left out: the level plays on in silence.
    if (MIDI* m = musica(faixas[numero - 1].arquivo)) play_midi(m, -1);
}

}  // namespace

void jogar(const DadosFase& fase) {
    Bitmap primeiro(create_bitmap(800, 600));
    Partida p(fase, carregaRecursosFase(fase.conjuntoPecas));
    for (const Faixa& f : faixas) musica(f.arquivo);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    iniciaTocador(p.estado, std::rand());
    p.entrada.tocaFaixa = tocaFaixa;

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
