// Writes the game's pictures and fonts into a run folder:
//   zepko_arte_gen <data/arte folder> <run folder> <display typeface> <text typeface>
// or, for the desktop icon alone, the same with the icon's BMP path last.
#include <allegro.h>

#include <cstdio>
#include <exception>

#include "arte.h"

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: %s <source folder> <run folder> <display typeface> <text typeface> [icon.bmp]\n", argv[0]);
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "zepko_arte: Allegro did not start\n");
        return 1;
    }
    set_color_depth(32);
    set_color_conversion(COLORCONV_NONE);
    try {
        geraArte({argv[1], argv[2], argv[3], argv[4], argc == 6 ? argv[5] : ""});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zepko_arte: %s\n", e.what());
        return 1;
    }
    return 0;
}
