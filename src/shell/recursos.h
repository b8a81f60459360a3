// Pictures, fonts and tracks, loaded once per file and kept until shutdown,
// so entering a screen again costs nothing and memory stays flat. A file that
// cannot be loaded gives nullptr and one line on stderr naming it; the
// drawing helpers below skip a missing picture or font.
#pragma once

#include <memory>

#include <allegro.h>

#include "base/bitmap.h"

BITMAP* imagem(const char* caminho);  // .gif through the GIF reader, else load_bitmap
FONT* fonte(const char* caminho);
MIDI* musica(const char* caminho);

// Frees everything loaded; called once at shutdown.
void liberaRecursos();

// draw_sprite that leaves out a missing picture. A picture of the cache with
// no pixel of the mask colour is copied with blit instead: the same pixels
// for a fraction of the work (decided once, when the picture is loaded).
void desenha(BITMAP* alvo, BITMAP* figura, int x, int y);

// True when desenha(alvo, figura, 0, 0) leaves nothing of an 800 x 600 frame
// as it was: the picture covers it and has no transparent pixel. A screen
// whose first drawing is such a picture needs no clearing before it.
bool cobreQuadro(BITMAP* figura);
