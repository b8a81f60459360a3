// The level-complete screen: records the progress, grows a framed panel over
// the level's last picture and shows the clock and both counts.
#pragma once

#include <allegro.h>

#include "screen/layout.h"

// Returns once the finished panel has been presented; waiting for Enter is the
// caller's business.
void fimDeFase(int minutos, int segundos, int passos, int movimentos, int numero);

// Pictures and fonts of the panel; pictures may be null, fonts may not.
struct RecursosFim {
    FONT* cooper;
    FONT* arial;
    BITMAP* parabens;
    BITMAP* heroi;
};
RecursosFim carregaRecursosFim();

// The square grows a pixel round the centre each step, up to its outline.
constexpr Retangulo PAINEL = retanguloDe("conclusao");
constexpr int PASSOS_PAINEL = (PAINEL.x2 - PAINEL.x1) / 2 + 1;

// One step of the opening: the black square of half-side `i` round the
// centre and its three outlines.
void passoPainel(BITMAP* alvo, int i);
// The picture, dividers, texts and the request for Enter.
void conteudoPainel(BITMAP* alvo, int minutos, int segundos, int passos, int movimentos,
                    const RecursosFim& rec);
