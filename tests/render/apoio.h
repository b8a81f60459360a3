// The render tier's ground. Every program of it starts Allegro as the game
// does but with no display (memory bitmaps only, 32-bit colour, Latin-1
// text) before its first test, and finds here the run folder's generated
// pictures and the probes its tests look at pixels with.
#pragma once

#include <allegro.h>

#include <string>
#include <utility>

#include "base/bitmap.h"

// A path inside the build's run folder, and its pictures loaded as the game loads them.
std::string noJogo(const std::string& relativo);
Bitmap carregaBmp(const std::string& relativo);
Bitmap carregaGif(const std::string& relativo);

// A picture of one colour, to find where a frame drew it.
Bitmap bloco(int w, int h, int r, int g, int b);

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
Rgb pixel(BITMAP* b, int x, int y);
bool magenta(BITMAP* b, int x, int y);  // the mask colour of a true-colour picture

struct Caixa {
    int x0, y0, x1, y1;  // inclusive; empty when x1 < x0
};
// Bounding box of the pixels that are not magenta.
Caixa opacos(BITMAP* b);

// Whether any pixel of the rectangle (x1, y1)-(x2, y2) has colour `c`.
bool temCor(BITMAP* b, int x1, int y1, int x2, int y2, int c);
// The leftmost and rightmost columns of colour `c` in rows y1..y2 (800, -1: none).
std::pair<int, int> extremos(BITMAP* b, int y1, int y2, int c);
// How many pixels differ between two pictures, over the area of both (where
// only one of them has a pixel, it differs).
int diferencas(BITMAP* a, BITMAP* b);
