// Reading the human-readable sources in data/arte, pixel-art grids with
// their colours, and the game's layout table of the menu pictures.
#pragma once

#include <allegro.h>

#include <map>
#include <string>
#include <vector>

#include "mascara.h"

// A grid file: lines "cor <char> <r> <g> <b>" give colours, "figura <name>"
// starts a grid that runs until "fim", "espelho <name> <source>" mirrors a
// grid left to right. '.' is transparent (magenta). '#' starts a comment.
struct Figuras {
    std::map<std::string, std::vector<std::string>> grades;
    std::map<char, Cor> cores;
};
Figuras leFiguras(const std::string& arquivo);

// A true-colour bitmap of one grid, transparent pixels in magenta.
BITMAP* figuraBitmap(const Figuras& f, const std::string& nome);

// The files the generator writes (arquivos.txt): one name a line, relative
// to the run folder; '#' starts a comment.
std::vector<std::string> leArquivos(const std::string& arquivo);

// The numbers of each entry of the game's layout table (layout.h), by name.
using Layout = std::map<std::string, std::vector<int>>;
Layout layoutDasTelas();
// The numbers of `nome`, which must have exactly `n` of them.
const std::vector<int>& campo(const Layout& l, const std::string& nome, size_t n);
