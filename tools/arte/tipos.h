// Type: text rendered with FreeType, for the pictures (smooth) and for the
// game's PCX bitmap fonts (one bit per pixel).
#pragma once

#include <allegro.h>

#include <string>

#include "mascara.h"

struct FT_FaceRec_;

// A line box in thousandths of the em: how far it reaches above and below
// the baseline.
struct Linha {
    int acima, abaixo;
};

class Tipo {
public:
    // The line box is the face's own unless `linha` sets it (a layout made
    // for one face's line keeps it with another cut of the same design).
    Tipo(const std::string& arquivo, int pixels, const Linha* linha = nullptr);
    ~Tipo();
    Tipo(const Tipo&) = delete;
    Tipo& operator=(const Tipo&) = delete;

    // `texto` is Latin-1. The mask is as wide as the pen advance and as
    // tall as the face's line; `linhaBase` is the baseline's row in it.
    Mascara mascara(const std::string& texto, int* linhaBase = nullptr) const;
    int largura(const std::string& texto) const;

    // An Allegro bitmap font (8-bit PCX grid) for the codes 32..255;
    // Allegro's grabber numbers the glyphs consecutively from 32, so the
    // unprintable codes 127..159 get blank cells to keep Latin-1 in place.
    BITMAP* grade(PALETTE pal) const;

private:
    FT_FaceRec_* face_;
    int ascendente_;
    int descendente_;
};
