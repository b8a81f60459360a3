// Draws what a screen of the game should hold, with the game's own library
// and files, so an end-to-end test can compare a screenshot with it.
//
//   zepko-amostra texto FONT R G B W H   < lines "x<TAB>text<TAB>x<TAB>text..."
//       for each line: W*H bytes, 1 where the texts drawn at (x, 0) in colour
//       (R, G, B) with textprintf_ex light a pixel, else 0
//   zepko-amostra imagem FILE X Y W H [SPRITE SX SY]
//       W*H*3 bytes: the RGB pixels of that area of the picture, with the
//       sprite (BMP or GIF) drawn over it at (SX, SY) when one is given
#include <allegro.h>

#include "gif/algif.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

int inteiro(const char* s) { return std::atoi(s); }

int texto(char** a) {
    FONT* f = load_font(a[0], nullptr, nullptr);
    if (!f) {
        std::fprintf(stderr, "cannot load font %s\n", a[0]);
        return 1;
    }
    const int cor = makecol(inteiro(a[1]), inteiro(a[2]), inteiro(a[3]));
    const int w = inteiro(a[4]), h = inteiro(a[5]);
    BITMAP* b = create_bitmap(w, h);
    std::string linha;
    std::vector<char> mascara(size_t(w) * h);
    while (std::getline(std::cin, linha)) {
        clear_to_color(b, makecol(0, 0, 0));
        std::istringstream partes(linha);
        std::string x, t;
        while (std::getline(partes, x, '\t') && std::getline(partes, t, '\t'))
            textprintf_ex(b, f, inteiro(x.c_str()), 0, cor, -1, "%s", t.c_str());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) mascara[size_t(y) * w + x] = getpixel(b, x, y) == cor;
        std::fwrite(mascara.data(), 1, mascara.size(), stdout);
    }
    destroy_bitmap(b);
    destroy_font(f);
    return 0;
}

BITMAP* carrega(const char* arquivo) {
    const size_t n = std::strlen(arquivo);
    if (n > 4 && std::strcmp(arquivo + n - 4, ".gif") == 0) return load_gif(arquivo, nullptr);
    return load_bitmap(arquivo, nullptr);
}

int imagem(char** a, bool comSprite) {
    BITMAP* b = carrega(a[0]);
    if (!b) {
        std::fprintf(stderr, "cannot load picture %s\n", a[0]);
        return 1;
    }
    const int x0 = inteiro(a[1]), y0 = inteiro(a[2]), w = inteiro(a[3]), h = inteiro(a[4]);
    if (comSprite) {
        BITMAP* s = carrega(a[5]);
        if (!s) {
            std::fprintf(stderr, "cannot load picture %s\n", a[5]);
            return 1;
        }
        draw_sprite(b, s, inteiro(a[6]), inteiro(a[7]));
        destroy_bitmap(s);
    }
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const int p = getpixel(b, x, y);
            const unsigned char rgb[3] = {static_cast<unsigned char>(getr(p)),
                                          static_cast<unsigned char>(getg(p)),
                                          static_cast<unsigned char>(getb(p))};
            std::fwrite(rgb, 1, 3, stdout);
        }
    destroy_bitmap(b);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    set_uformat(U_ASCII);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(32);
    set_color_conversion(COLORCONV_TOTAL);
    if (argc == 8 && std::strcmp(argv[1], "texto") == 0) return texto(argv + 2);
    if ((argc == 7 || argc == 10) && std::strcmp(argv[1], "imagem") == 0)
        return imagem(argv + 2, argc == 10);
    std::fprintf(stderr, "usage: %s texto FONT R G B W H | imagem FILE X Y W H [SPRITE SX SY]\n",
                 argv[0]);
    return 2;
}
END_OF_MAIN()
