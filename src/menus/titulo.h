// The title screen's frame: title picture, play and exit buttons, credit line.
#pragma once

#include <allegro.h>

#include "menus/acoes.h"

extern const char* const TEXTO_CREDITO;

struct FigurasTitulo {
    BITMAP* logo;      // the whole screen, buttons included
    BITMAP* destaque;  // drawn over the button under the mouse
    BITMAP* cursor;
};

// The screen's pictures, through the cache, with the caller's cursor.
FigurasTitulo carregaFigurasTitulo(BITMAP* cursor);

// The credit line glides between x 0 and 223 along the bottom bar.
struct EstadoTitulo {
    int xCredito = 223;
    bool paraEsquerda = true;
};

// Moves the credit line one step and returns where to draw it. The turn at
// the left edge adds one pixel to the regular step, so x 1 is seen only on
// the way down: 445 frames a cycle.
int avancaCredito(EstadoTitulo& estado);

// One frame of the title screen, drawn into `alvo`.
void quadroTitulo(BITMAP* alvo, EstadoTitulo& estado, const FigurasTitulo& figuras,
                  Entrada& entrada, const Acoes& acoes);
