// The whole set of pictures and fonts the game loads.
#pragma once

#include <string>

struct Origens {
    std::string dados;        // data/arte: grids, colours, layout
    std::string saida;        // the run folder; img/, img/mapa/, fonts/ go inside
    std::string tipoTitulo;   // heavy display typeface
    std::string tipoTexto;    // plain sans typeface
    std::string icone;        // if set, only the 64 x 64 desktop icon is written, there (BMP)
};

void geraArte(const Origens& o);
