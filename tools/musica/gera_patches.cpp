// gera_patches SAMPLE_SET.cfg OUT_DIR
// Writes OUT_DIR/zepko.cfg for the software synthesizer and links each
// sample file it names into OUT_DIR, so every name resolves from the
// list's own folder, wherever the run folder is copied.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "patches.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: gera_patches SAMPLE_SET.cfg OUT_DIR\n";
        return 2;
    }
    fs::path lista = argv[1];
    fs::path destino = argv[2];
    std::ifstream in(lista);
    if (!in) {
        std::cerr << "gera_patches: cannot read " << lista << '\n';
        return 1;
    }
    std::stringstream texto;
    texto << in.rdbuf();
    musica::ConjuntoPatches c = musica::leListaTimidity(texto.str());
    fs::path pasta = c.pasta.empty() ? lista.parent_path() : fs::path(c.pasta);
    pasta = fs::absolute(pasta);
    fs::create_directories(destino);

    // A listed file that is not installed would play silence; its program
    // falls back to a neighbour instead.
    auto alvoDe = [&](const std::string& arquivo) {
        fs::path alvo = pasta / arquivo;
        if (fs::path(arquivo).extension() != ".pat") alvo += ".pat";
        return alvo;
    };
    for (auto* m : {&c.programas, &c.bateria})
        for (auto it = m->begin(); it != m->end();)
            it = fs::exists(alvoDe(it->second)) ? std::next(it) : m->erase(it);

    std::set<std::string> usados;
    for (auto* m : {&c.programas, &c.bateria})
        for (auto& [n, arquivo] : *m) usados.insert(arquivo);
    for (const std::string& arquivo : usados) {
        fs::path alvo = alvoDe(arquivo);
        fs::path link = destino / musica::nomeLocal(arquivo);
        std::error_code ec;
        fs::remove(link, ec);
        fs::create_symlink(alvo, link, ec);
        if (ec) {
            std::cerr << "gera_patches: cannot link " << link << ": " << ec.message() << '\n';
            return 1;
        }
    }
    std::ofstream out(destino / "zepko.cfg");
    out << musica::escreveListaAllegro(c);
    return out ? 0 : 1;
}
