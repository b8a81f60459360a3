// The new-game confirmation: a box that grows over the first level-select
// page and, on yes, sends the player back to level 1.
#pragma once

#include <allegro.h>

#include "menus/acoes.h"

struct FigurasNovoJogo {
    BITMAP* pergunta;
    BITMAP* simAceso;
    BITMAP* naoAceso;
};

struct EstadoNovoJogo {
    bool aberto = false;
    bool animar = true;  // the next opening grows the box again
    int w = 0;           // half-width and half-height of the box
    int h = 0;
};

// The dialog's part of a page frame. The first frame after an opening runs
// the growing animation, presenting each step through `acoes.apresenta`,
// which replaces `alvo`.
void quadroNovoJogo(BITMAP*& alvo, EstadoNovoJogo& estado, const FigurasNovoJogo& figuras,
                    Entrada& entrada, const Acoes& acoes);
