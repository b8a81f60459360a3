// Where the pictures of the menus and of the level-complete panel stand on
// the 800 x 600 screen, and the areas that react to the mouse: one table
// that the screens take their places from, that the art generator draws the
// pictures to fit, and that the tests check them against. Plain C++.
#pragma once

#include <stdexcept>

#include "screen/retangulo.h"

// "<name>.area" entries are the inclusive rectangle "x0 y0 x1 y1" the game
// reacts to. Plain names of four numbers are the art's faces, "x0 y0 x1 y1"
// inside those areas, but for "dialogo" and "conclusao": the white outlines
// of the black boxes the game grows round the screen's centre. ".divisoria"
// entries are the white line of a box's divider, "x0 y x1 y". ".figura"
// entries are "x y w h" of a picture cut from the art, whose corner is where
// the game draws it. "legenda" entries are the corner of a level's caption
// slot, where the game draws the padlock.
struct Lugar {
    const char* nome;
    int n;  // how many numbers
    int v[4];
};

inline constexpr Lugar LAYOUT[] = {
    // Title screen
    {"logo", 2, {400, 24}},
    {"cena", 2, {240, 206}},
    {"painel1", 4, {270, 340, 530, 400}},
    {"painel2", 4, {270, 450, 530, 510}},
    {"jogar", 4, {338, 352, 462, 388}},
    {"jogar.area", 4, {335, 350, 465, 390}},
    {"sair", 4, {343, 462, 442, 498}},
    {"sair.area", 4, {340, 460, 445, 500}},
    {"marca.figura", 4, {285, 355, 44, 36}},  // by Jogar
    {"marca.sair", 2, {285, 465}},            // the same picture by Sair

    // First level-select page
    {"titulo1", 2, {400, 8}},
    {"fase1", 4, {38, 73, 177, 212}},
    {"fase1.area", 4, {35, 70, 180, 215}},
    {"fase2", 4, {184, 73, 354, 212}},
    {"fase2.area", 4, {181, 70, 357, 215}},
    {"fase3", 4, {361, 73, 566, 212}},
    {"fase3.area", 4, {358, 70, 570, 215}},
    {"fase4", 4, {574, 63, 752, 212}},
    {"fase4.area", 4, {570, 60, 755, 215}},
    {"fase5", 4, {8, 273, 175, 417}},
    {"fase5.area", 4, {5, 270, 178, 420}},
    {"fase6", 4, {182, 273, 365, 417}},
    {"fase6.area", 4, {178, 270, 368, 420}},
    {"fase7", 4, {388, 273, 527, 417}},
    {"fase7.area", 4, {385, 270, 530, 420}},
    {"fase8", 4, {563, 273, 753, 417}},
    {"fase8.area", 4, {560, 270, 756, 420}},
    {"legenda1", 2, {80, 220}},
    {"legenda2", 2, {220, 220}},
    {"legenda3", 2, {415, 220}},
    {"legenda4", 2, {629, 220}},
    {"legenda5", 2, {55, 429}},
    {"legenda6", 2, {220, 429}},
    {"legenda7", 2, {415, 429}},
    {"legenda8", 2, {629, 429}},
    {"setaDir", 4, {400, 508, 448, 526}},
    {"setaDir.area", 4, {400, 508, 448, 526}},
    {"setaDir.figura", 4, {390, 495, 68, 42}},
    {"novo", 4, {40, 550, 145, 565}},
    {"novo.area", 4, {40, 550, 145, 565}},
    {"novo.figura", 4, {35, 545, 116, 26}},

    // Second level-select page
    {"titulo2", 2, {400, 8}},
    {"fase9", 4, {278, 153, 527, 340}},
    {"fase9.area", 4, {275, 150, 530, 343}},
    {"legenda9", 2, {360, 346}},
    {"bonus", 4, {695, 525, 780, 570}},
    {"bonus.area", 4, {695, 525, 780, 570}},
    {"bonus.figura", 4, {690, 520, 96, 56}},
    {"setaEsq", 4, {340, 508, 388, 526}},
    {"setaEsq.area", 4, {340, 508, 388, 526}},
    {"setaEsq.figura", 4, {330, 495, 68, 42}},

    // New-game dialog
    {"dialogo", 4, {229, 214, 571, 386}},
    {"dialogo.divisoria", 4, {270, 310, 530, 310}},
    {"dialogo.figura", 4, {280, 225, 240, 150}},
    {"sim", 4, {304, 339, 342, 359}},
    {"sim.area", 4, {300, 338, 342, 360}},
    {"sim.figura", 4, {300, 335, 48, 30}},
    {"nao", 4, {454, 339, 500, 359}},
    {"nao.area", 4, {450, 338, 500, 360}},
    {"nao.figura", 4, {450, 332, 56, 32}},

    // Level-complete panel
    {"conclusao", 4, {170, 70, 630, 530}},
    {"conclusao.divisoria", 4, {220, 215, 580, 215}},
    {"parabens.figura", 4, {280, 100, 240, 108}},
};

constexpr bool mesmoNome(const char* a, const char* b) {
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

// The entry called `nome`; a name not in the table does not compile where
// a constant is asked for, and throws elsewhere.
constexpr const Lugar& lugar(const char* nome) {
    for (const Lugar& l : LAYOUT)
        if (mesmoNome(l.nome, nome)) return l;
    throw std::out_of_range(nome);
}

struct Ponto {
    int x, y;
};

// The rectangle of a four-number entry.
constexpr Retangulo retanguloDe(const char* nome) {
    const Lugar& l = lugar(nome);
    return {l.v[0], l.v[1], l.v[2], l.v[3]};
}

// The first two numbers of an entry: a corner or a point.
constexpr Ponto pontoDe(const char* nome) {
    const Lugar& l = lugar(nome);
    return {l.v[0], l.v[1]};
}
