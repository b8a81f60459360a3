// Everything a menu frame opens or shows outside its own picture, gathered so
// a test can replace the screens a menu opens.
#pragma once

#include <functional>

#include <allegro.h>

#include "shell/entrada.h"

struct Acoes {
    std::function<void()> fases;
    std::function<void()> fases2;
    std::function<void(int numero)> jogar;            // level 1..10
    std::function<void(const char* texto)> mensagem;  // modal message box
    std::function<void(BITMAP*& alvo)> apresenta;     // present step inside a frame
};
