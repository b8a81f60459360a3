// The mouse and key state a frame reads. It points at the live values rather
// than copying them: after a nested screen returns (or a pause ends), the
// rest of the frame sees the input as it is then, and a frame writes key
// entries back to keep one press from counting twice. Tests point it at their own.
#pragma once

#include <allegro.h>

#include "retangulo.h"

// Counts the times a screen appeared: each frame loop adds one when it starts
// and one when it ends, so the screen it returns to appears anew.
extern int aparicoesDeTela;

struct Entrada {
    volatile int* mouseX = &mouse_x;
    volatile int* mouseY = &mouse_y;
    volatile int* mouseB = &mouse_b;
    volatile char* teclas = key;

    int x() const { return *mouseX; }
    int y() const { return *mouseY; }
    bool sobre(const Retangulo& r) const { return r.contem(*mouseX, *mouseY); }
    bool tecla(int codigo) const { return teclas[codigo] != 0; }

    // The left button is down, for a press that began on the screen showing:
    // a press held while a screen appears counts there only after a release.
    bool clique() {
        observaBotao();
        return botaoAbaixo() && livre;
    }
    bool cliqueEm(const Retangulo& r) { return clique() && sobre(r); }
    // The press has acted: it counts no more until the button is released.
    void soltaBotao() { livre = false; }
    // Notes a released button; clique() does it in every frame that asks.
    void observaBotao() {
        if (aparicao != aparicoesDeTela) {
            aparicao = aparicoesDeTela;
            livre = false;
        }
        if (!botaoAbaixo()) livre = true;
    }

private:
    bool botaoAbaixo() const { return (*mouseB & 1) != 0; }
    int aparicao = -1;
    bool livre = false;  // the button was seen up since the screen appeared or a press acted
};
