// The second level-select page's frame: level 9, the bonus level and the
// arrow back to the first page.
#pragma once

#include <allegro.h>

#include "menus/acoes.h"

// Shown when the bonus level is clicked while still locked (Latin-1).
extern const char* const MENSAGEM_BONUS;

struct FigurasFases2 {
    BITMAP* fundo;
    BITMAP* bonusAceso;
    BITMAP* seta;
    BITMAP* setaAcesa;
    BITMAP* cadeado;
    BITMAP* cursor;
};

// The page's pictures, through the cache, with the caller's cursor.
FigurasFases2 carregaFigurasFases2(BITMAP* cursor);

struct EstadoFases2 {
    bool sair = false;  // set by the back arrow; the loop ends after the frame
};

void quadroFases2(BITMAP* alvo, EstadoFases2& estado, const FigurasFases2& figuras,
                  Entrada& entrada, const Acoes& acoes);

// The page as a screen; the back arrow or Escape returns to fases.
void fases2();
// Plays level `numero` (1..10): what both pages open.
void jogaFase(int numero);
