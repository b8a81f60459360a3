// What a menu frame reads and calls, gathered so a test can script the mouse
// and the keys and replace the screens a menu opens.
#pragma once

#include <functional>

#include <allegro.h>

#include "retangulo.h"


// The mouse and key state a frame reads. It points at the live values rather
// than copying them: after a nested screen returns, the rest of the frame
// sees the mouse as it is then. Writing the button back to 0 is how a menu
// keeps a press from counting twice.
struct Entrada {
    volatile int* mouseX = &mouse_x;
    volatile int* mouseY = &mouse_y;
    volatile int* mouseB = &mouse_b;
    volatile char* teclas = key;

    int x() const { return *mouseX; }
    int y() const { return *mouseY; }
    bool sobre(const Retangulo& r) const { return r.contem(*mouseX, *mouseY); }
    bool clique() const { return (*mouseB & 1) != 0; }
    bool cliqueEm(const Retangulo& r) const { return clique() && sobre(r); }
    void soltaBotao() { *mouseB = 0; }
    bool tecla(int codigo) const { return teclas[codigo] != 0; }
};

// Everything a menu frame opens or shows outside its own picture.
struct Acoes {
    std::function<void()> fases;
    std::function<void()> fases2;
    std::function<void(int numero)> jogar;            // level 1..10
    std::function<void(const char* texto)> mensagem;  // modal message box
    std::function<void(BITMAP*& alvo)> apresenta;     // present step inside a frame
};
