// The mouse and key state a frame reads. It points at the live values rather
// than copying them: after a nested screen returns (or a pause ends), the
// rest of the frame sees the input as it is then, and a frame writes entries
// back to keep one press from counting twice. Tests point it at their own.
#pragma once

#include <allegro.h>

#include "retangulo.h"

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
