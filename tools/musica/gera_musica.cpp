// gera_musica OUT_DIR PIECE.txt...
// Writes OUT_DIR/NN.mid for each piece named NN-anything.txt.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "partitura.h"
#include "smf.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: gera_musica OUT_DIR PIECE.txt...\n";
        return 2;
    }
    fs::path destino = argv[1];
    fs::create_directories(destino);
    for (int i = 2; i < argc; ++i) {
        fs::path fonte = argv[i];
        std::ifstream in(fonte, std::ios::binary);
        if (!in) {
            std::cerr << "gera_musica: cannot read " << fonte << '\n';
            return 1;
        }
        std::stringstream texto;
        texto << in.rdbuf();
        std::string base = fonte.stem().string();
        fs::path saida = destino / (base.substr(0, base.find('-')) + ".mid");
        try {
            musica::Musica m = musica::lePartitura(texto.str(), fonte.filename().string());
            auto bytes = musica::escreveSmf(m);
            std::ofstream out(saida, std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
            if (!out) {
                std::cerr << "gera_musica: cannot write " << saida << '\n';
                return 1;
            }
        } catch (const musica::ErroPartitura& e) {
            std::cerr << e.what() << '\n';
            return 1;
        }
    }
    return 0;
}
