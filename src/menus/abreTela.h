// How a menu screen opens: the shape titulo, fases and fases2 share.
#pragma once

#include <functional>

#include <allegro.h>

#include "screen/cursor.h"
#include "screen/tela.h"
#include "shell/entrada.h"
#include "shell/laco.h"
#include "shell/recursos.h"

// Makes the screen's first-frame bitmap and cursor, loads its pictures with
// `carrega` and that cursor, and runs the frame loop over `quadro` until
// Escape, FecharJogo or `sair`. The frames need no clearing when the
// picture `fundo` covers the screen.
template <class Figuras, class Quadro>
void abreTela(Figuras (*carrega)(BITMAP* cursor), BITMAP* Figuras::*fundo, Quadro quadro,
              const std::function<bool()>& sair = {}) {
    Bitmap primeiro(create_bitmap(LARGURA_TELA, ALTURA_TELA));
    Bitmap cursor(makeCursor());
    const Figuras figuras = carrega(cursor.get());
    Entrada entrada;
    rodaLaco(
        primeiro.get(), [&](BITMAP*& alvo) { quadro(alvo, figuras, entrada); }, sair,
        cobreQuadro(figuras.*fundo));
}
