#include "patches.h"

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

namespace musica {

namespace {

// Neighbours in sound for GM programs that sample sets often lack; tried
// before the family rule, which would give e.g. a sitar for a bagpipe.
const std::map<int, int> kVizinhos = {
    {3, 1},    {10, 8},   {11, 13},  {12, 13},  {22, 21},  {31, 24},  {39, 38},
    {41, 40},  {43, 42},  {49, 48},  {50, 48},  {51, 48},  {52, 53},  {54, 53},
    {55, 61},  {62, 61},  {63, 61},  {77, 75},  {78, 79},  {105, 25}, {106, 104},
    {107, 46}, {108, 13}, {109, 68}, {110, 40}, {111, 68}, {112, 9},  {113, 114},
    {116, 47}, {117, 47}, {118, 47},
};

const std::map<int, int> kPercussaoVizinha = {
    {28, 39}, {29, 31}, {30, 31}, {83, 54}, {85, 75}, {86, 64}, {87, 64},
};

}  // namespace

ConjuntoPatches leListaTimidity(const std::string& texto) {
    ConjuntoPatches c;
    std::istringstream in(texto);
    std::string linha;
    bool bateria = false;
    while (std::getline(in, linha)) {
        auto pc = linha.find('#');
        if (pc != std::string::npos) linha.erase(pc);
        std::istringstream ls(linha);
        std::string a, b;
        if (!(ls >> a)) continue;
        ls >> b;
        if (a == "dir") {
            c.pasta = b;
        } else if (a == "drumset") {
            bateria = true;
        } else if (a == "bank") {
            bateria = false;
        } else if (!b.empty() && a.find_first_not_of("0123456789") == std::string::npos) {
            int n = std::atoi(a.c_str());
            if (n > 127) continue;
            (bateria ? c.bateria : c.programas)[n] = b;
        }
    }
    return c;
}

int vizinhoNomeado(int programa) {
    auto v = kVizinhos.find(programa);
    return v == kVizinhos.end() ? -1 : v->second;
}

int programaSubstituto(int programa, const ConjuntoPatches& c) {
    if (c.programas.count(programa)) return programa;
    int v = vizinhoNomeado(programa);
    if (v >= 0 && c.programas.count(v)) return v;
    int familia = programa / 8 * 8;
    for (int d = 1; d < 8; ++d) {
        for (int p : {programa - d, programa + d})
            if (p >= familia && p < familia + 8 && c.programas.count(p)) return p;
    }
    if (c.programas.count(0)) return 0;
    return c.programas.empty() ? -1 : c.programas.begin()->first;
}

int percussaoSubstituta(int nota, const ConjuntoPatches& c) {
    if (c.bateria.count(nota)) return nota;
    auto v = kPercussaoVizinha.find(nota);
    if (v != kPercussaoVizinha.end() && c.bateria.count(v->second)) return v->second;
    return -1;
}

std::string nomeLocal(const std::string& arquivo) {
    std::string s = arquivo;
    for (char& ch : s)
        if (ch == '/') ch = '_';
    if (s.size() < 4 || s.compare(s.size() - 4, 4, ".pat") != 0) s += ".pat";
    return s;
}

std::string escreveListaAllegro(const ConjuntoPatches& c) {
    std::ostringstream out;
    out << "# General MIDI for the software synthesizer; generated at build time.\n";
    for (int p = 0; p < 128; ++p) {
        int s = programaSubstituto(p, c);
        if (s >= 0) out << p + 1 << ' ' << nomeLocal(c.programas.at(s)) << '\n';
    }
    out << "129 begin_multipatch\n";
    for (int n = 27; n <= 87; ++n) {
        int s = percussaoSubstituta(n, c);
        if (s >= 0) out << n << ' ' << nomeLocal(c.bateria.at(s)) << '\n';
    }
    return out.str();
}

std::string instalaPatches(const std::filesystem::path& lista, const std::filesystem::path& destino) {
    namespace fs = std::filesystem;
    std::ifstream in(lista);
    if (!in) return "cannot read " + lista.string();
    std::stringstream texto;
    texto << in.rdbuf();
    ConjuntoPatches c = leListaTimidity(texto.str());
    fs::path pasta = fs::absolute(c.pasta.empty() ? lista.parent_path() : fs::path(c.pasta));
    auto alvoDe = [&](const std::string& arquivo) {
        fs::path alvo = pasta / arquivo;
        if (fs::path(arquivo).extension() != ".pat") alvo += ".pat";
        return alvo;
    };
    std::set<std::string> usados;
    for (auto* m : {&c.programas, &c.bateria})
        for (auto it = m->begin(); it != m->end();) {
            if (fs::exists(alvoDe(it->second))) {
                usados.insert(it->second);
                ++it;
            } else {
                it = m->erase(it);
            }
        }

    std::error_code ec;
    fs::create_directories(destino, ec);
    if (ec) return "cannot create " + destino.string() + ": " + ec.message();
    for (const std::string& arquivo : usados) {
        fs::path link = destino / nomeLocal(arquivo);
        fs::remove(link, ec);
        fs::create_symlink(alvoDe(arquivo), link, ec);
        if (ec) return "cannot link " + link.string() + ": " + ec.message();
    }
    std::ofstream out(destino / "zepko.cfg");
    out << escreveListaAllegro(c);
    return out ? "" : "cannot write " + (destino / "zepko.cfg").string();
}

}  // namespace musica
