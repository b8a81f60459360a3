// gera_patches SAMPLE_SET.cfg OUT_DIR
// Writes OUT_DIR/zepko.cfg for the software synthesizer and links each
// sample file it names into OUT_DIR, so every name resolves from the
// list's own folder, wherever the run folder is copied.
#include <iostream>

#include "patches.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: gera_patches SAMPLE_SET.cfg OUT_DIR\n";
        return 2;
    }
    std::string erro = musica::instalaPatches(argv[1], argv[2]);
    if (!erro.empty()) {
        std::cerr << "gera_patches: " << erro << '\n';
        return 1;
    }
    return 0;
}
