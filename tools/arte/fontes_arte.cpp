#include "fontes_arte.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "screen/layout.h"

namespace {

std::vector<std::string> linhasDe(const std::string& arquivo) {
    std::ifstream in(arquivo);
    if (!in) throw std::runtime_error("cannot read " + arquivo);
    std::vector<std::string> linhas;
    std::string l;
    while (std::getline(in, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        linhas.push_back(l);
    }
    return linhas;
}

bool vazia(const std::string& l) {
    auto p = l.find_first_not_of(" \t");
    return p == std::string::npos || l[p] == '#';
}

}  // namespace

Figuras leFiguras(const std::string& arquivo) {
    Figuras f;
    auto linhas = linhasDe(arquivo);
    for (size_t i = 0; i < linhas.size(); ++i) {
        if (vazia(linhas[i])) continue;
        std::istringstream s(linhas[i]);
        std::string palavra;
        s >> palavra;
        if (palavra == "cor") {
            char c;
            Cor cor;
            if (!(s >> c >> cor.r >> cor.g >> cor.b)) throw std::runtime_error(arquivo + ": bad colour line");
            f.cores[c] = cor;
        } else if (palavra == "figura") {
            std::string nome;
            s >> nome;
            std::vector<std::string> grade;
            for (++i; i < linhas.size() && linhas[i] != "fim"; ++i) grade.push_back(linhas[i]);
            if (i == linhas.size()) throw std::runtime_error(arquivo + ": figure " + nome + " has no end");
            for (const auto& g : grade)
                if (g.size() != grade[0].size()) throw std::runtime_error(arquivo + ": ragged figure " + nome);
            f.grades[nome] = grade;
        } else if (palavra == "espelho") {
            std::string nome, origem;
            s >> nome >> origem;
            auto grade = f.grades.at(origem);
            for (auto& g : grade) g.assign(g.rbegin(), g.rend());
            f.grades[nome] = grade;
        } else {
            throw std::runtime_error(arquivo + ": unknown line: " + linhas[i]);
        }
    }
    return f;
}

BITMAP* figuraBitmap(const Figuras& f, const std::string& nome) {
    const auto& grade = f.grades.at(nome);
    BITMAP* b = create_bitmap_ex(32, int(grade[0].size()), int(grade.size()));
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) {
            char c = grade[y][x];
            if (c == '.') {
                poeCor(b, x, y, {255, 0, 255});
                continue;
            }
            auto it = f.cores.find(c);
            if (it == f.cores.end()) throw std::runtime_error("figure " + nome + ": unknown colour " + c);
            poeCor(b, x, y, it->second);
        }
    return b;
}

std::vector<std::string> leArquivos(const std::string& arquivo) {
    std::vector<std::string> nomes;
    for (const auto& linha : linhasDe(arquivo))
        if (!vazia(linha)) nomes.push_back(linha);
    return nomes;
}

Layout layoutDasTelas() {
    Layout l;
    for (const Lugar& lugar : LAYOUT)
        if (!l.emplace(lugar.nome, std::vector<int>(lugar.v, lugar.v + lugar.n)).second)
            throw std::runtime_error(std::string("layout.h: repeated ") + lugar.nome);
    return l;
}

const std::vector<int>& campo(const Layout& l, const std::string& nome, size_t n) {
    auto it = l.find(nome);
    if (it == l.end()) throw std::runtime_error("layout has no " + nome);
    if (it->second.size() != n) throw std::runtime_error("layout " + nome + " needs " + std::to_string(n) + " numbers");
    return it->second;
}
