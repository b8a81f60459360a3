// The mouse and key state a frame reads. It points at the live values rather
// than copying them: after a nested screen returns (or a pause ends), the
// rest of the frame sees the input as it is then, and a frame writes key
// entries back, through it alone, to keep one press from counting twice.
// Tests point it at their own.
#pragma once

#include <array>

#include <allegro.h>

#include "screen/retangulo.h"

// Presses that went down (and maybe up again) since the frame before: key[]
// and mouse_b show only what is down when a frame reads them, so a short tap
// between two frames, or a burst of input from a busy or remote machine,
// would go unseen. The library's input thread notes each key-down and
// left-button press; the frame loop hands them to the next frame, which
// takes them as keys and a button held for that frame.
struct Toques {
    std::array<bool, KEY_MAX> teclas{};
    bool clique = false;
    void limpa() { *this = Toques{}; }
};
// The presses the current frame takes; the frame loop fills and empties it.
extern Toques toquesDoQuadro;

// The keys down now, as the keyboard callback saw them go down and up. The
// frames read these, not key[]: the library sets key[] before it calls back,
// so a press taken from key[] could have its note land later and act again.
extern volatile char teclasAbaixo[KEY_MAX];

// Sets the library's keyboard and mouse callbacks that note presses.
void instalaToques();
// Adds the presses noted since the last call to toquesDoQuadro.
void recolheToques();
// Forgets key presses noted and not yet collected, as clear_keybuf forgets
// the buffered ones; the current frame keeps those it took. A click is no
// key: it stays for the next frame.
void descartaToques();
// Forgets the noted, not yet collected press of one key.
void descartaToque(int codigo);

// Counts the times a screen appeared: each frame loop adds one when it starts
// and one when it ends, so the screen it returns to appears anew.
extern int aparicoesDeTela;

struct Entrada {
    volatile int* mouseX = &mouse_x;
    volatile int* mouseY = &mouse_y;
    volatile int* mouseB = &mouse_b;
    volatile char* teclas = teclasAbaixo;
    Toques* toques = &toquesDoQuadro;

    int x() const { return *mouseX; }
    int y() const { return *mouseY; }
    bool sobre(const Retangulo& r) const { return r.contem(*mouseX, *mouseY); }
    // Down now, or pressed since the frame before.
    bool tecla(int codigo) const { return teclas[codigo] != 0 || toques->teclas[codigo]; }
    // For what acts once per key-down: the key counts no more until the
    // library sees it go down again.
    bool tomaTecla(int codigo) {
        if (!tecla(codigo)) return false;
        soltaTecla(codigo);
        return true;
    }
    // The press has acted: neither this frame nor a later one sees it again.
    // Its note may still wait when it went down after the frame collected.
    void soltaTecla(int codigo) {
        descartaToque(codigo);
        teclas[codigo] = 0;
        toques->teclas[codigo] = false;
    }

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
    bool botaoAbaixo() const { return (*mouseB & 1) != 0 || toques->clique; }
    int aparicao = -1;
    bool livre = false;  // the button was seen up since the screen appeared or a press acted
};
