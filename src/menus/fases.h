// The first level-select page's frame: levels 1 to 8, the arrow to the
// second page and the new-game button with its confirmation box.
#pragma once

#include <allegro.h>

#include "menus/acoes.h"
#include "menus/novojogo.h"

struct FigurasFases {
    BITMAP* fundo;
    BITMAP* seta;
    BITMAP* setaAcesa;
    BITMAP* novoJogoAceso;
    BITMAP* cadeado;
    FigurasNovoJogo novoJogo;
    BITMAP* cursor;
};

// The page's pictures, through the cache, with the caller's cursor.
FigurasFases carregaFigurasFases(BITMAP* cursor);

struct EstadoFases {
    EstadoNovoJogo novoJogo;
};

// One frame of the page. `alvo` is replaced when the confirmation box opens
// and presents its growing animation.
void quadroFases(BITMAP*& alvo, EstadoFases& estado, const FigurasFases& figuras,
                 Entrada& entrada, const Acoes& acoes);

// The page as a screen; Escape returns to the title screen.
void fases();
