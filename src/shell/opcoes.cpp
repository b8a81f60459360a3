#include "opcoes.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* AJUDA =
    "Usage: zepko [--version | --help]\n"
    "\n"
    "Zepko is a box-pushing puzzle game: steer Zep over the board and push\n"
    "every crate onto a target. With no option it opens its window and plays.\n"
    "\n"
    "It keeps its files in the folder it starts in: config.txt (the settings)\n"
    "and save.bin (the progress), beside its pictures, fonts and music. The\n"
    "installed zepko command starts it in the player's own folder,\n"
    "$XDG_DATA_HOME/zepko (by default ~/.local/share/zepko).\n"
    "\n"
    "  --version  print the version and exit\n"
    "  --help     print this help and exit\n";

}  // namespace

std::optional<int> trataOpcoes(int argc, char* argv[]) {
    if (argc < 2) return std::nullopt;
    const bool versao = std::strcmp(argv[1], "--version") == 0;
    const bool ajuda = std::strcmp(argv[1], "--help") == 0;
    if (argc == 2 && versao) {
        std::printf("zepko %s\n", ZEPKO_VERSION);
        return 0;
    }
    if (argc == 2 && ajuda) {
        std::fputs(AJUDA, stdout);
        return 0;
    }
    // One option at a time: after a known one, the second argument is the odd one.
    std::fprintf(stderr, "zepko: unexpected argument '%s' (zepko --help lists the options)\n",
                 argv[versao || ajuda ? 2 : 1]);
    return 2;
}
