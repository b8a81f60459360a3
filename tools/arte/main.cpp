// Writes the game's pictures and fonts into a run folder:
//   zepko_arte <data/arte folder> <run folder> <display typeface> <text typeface>
#include <allegro.h>

#include <cstdio>
#include <exception>

#include "arte.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <source folder> <run folder> <display typeface> <text typeface>\n", argv[0]);
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "zepko_arte: Allegro did not start\n");
        return 1;
    }
    set_color_depth(32);
    set_color_conversion(COLORCONV_NONE);
    try {
        geraArte({argv[1], argv[2], argv[3], argv[4]});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zepko_arte: %s\n", e.what());
        return 1;
    }
    return 0;
}
