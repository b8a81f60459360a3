// Shared by the art tests: Allegro without a display, the run folder's
// files, pixel helpers.
#pragma once

#include <allegro.h>

#include <memory>
#include <string>

#include "gif/bitmap.h"


std::string noJogo(const std::string& relativo);  // path inside the run folder
Bitmap carregaBmp(const std::string& relativo);      // load_bitmap, as the game does
Bitmap carregaGif(const std::string& relativo);      // load_gif, as the game does

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
Rgb pixel(BITMAP* b, int x, int y);
bool magenta(BITMAP* b, int x, int y);

struct Caixa {
    int x0, y0, x1, y1;  // inclusive; empty when x1 < x0
};
// Bounding box of the pixels that are not magenta.
Caixa opacos(BITMAP* b);
