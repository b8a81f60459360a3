#include "apoio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "gif/algif.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    set_uformat(U_ASCII);  // the game's texts are Latin-1 bytes
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "Allegro did not start: %s\n", allegro_error);
        return 1;
    }
    set_color_depth(32);
    return RUN_ALL_TESTS();
}

std::string noJogo(const std::string& relativo) { return std::string(ZEPKO_RUN_DIR) + "/" + relativo; }

Bitmap carregaBmp(const std::string& relativo) {
    PALETTE pal;
    return Bitmap(load_bitmap(noJogo(relativo).c_str(), pal));
}

Bitmap carregaGif(const std::string& relativo) {
    PALETTE pal;
    return Bitmap(load_gif(noJogo(relativo).c_str(), pal));
}

Bitmap bloco(int w, int h, int r, int g, int b) {
    Bitmap bmp(create_bitmap(w, h));
    clear_to_color(bmp.get(), makecol(r, g, b));
    return bmp;
}

Rgb pixel(BITMAP* b, int x, int y) {
    int p = getpixel(b, x, y);
    return {getr32(p), getg32(p), getb32(p)};
}

bool magenta(BITMAP* b, int x, int y) { return pixel(b, x, y) == Rgb{255, 0, 255}; }

Caixa opacos(BITMAP* b) {
    Caixa c{b->w, b->h, -1, -1};
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (!magenta(b, x, y)) {
                c.x0 = std::min(c.x0, x);
                c.y0 = std::min(c.y0, y);
                c.x1 = std::max(c.x1, x);
                c.y1 = std::max(c.y1, y);
            }
    return c;
}

bool temCor(BITMAP* b, int x1, int y1, int x2, int y2, int c) {
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if (getpixel(b, x, y) == c) return true;
    return false;
}

std::pair<int, int> extremos(BITMAP* b, int y1, int y2, int c) {
    int esq = 800, dir = -1;
    for (int y = y1; y <= y2; ++y)
        for (int x = 0; x < b->w; ++x)
            if (getpixel(b, x, y) == c) esq = std::min(esq, x), dir = std::max(dir, x);
    return {esq, dir};
}

int diferencas(BITMAP* a, BITMAP* b) {
    int n = 0;
    for (int y = 0; y < std::max(a->h, b->h); ++y)
        for (int x = 0; x < std::max(a->w, b->w); ++x) n += getpixel(a, x, y) != getpixel(b, x, y);
    return n;
}
