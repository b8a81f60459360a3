#include "entrada.h"

#include <atomic>

Toques toquesDoQuadro;
volatile char teclasAbaixo[KEY_MAX];

namespace {

// Written by the library's input thread, taken by the frame loop.
std::array<std::atomic<bool>, KEY_MAX> teclasNotadas{};
std::atomic<bool> cliqueNotado{false};

// Key-downs and the keyboard's own repeats alike are noted, so a held key
// keeps reaching the frames; a release (bit 7) only shows the key up.
void notaTecla(int codigo) {
    const int k = codigo & 0x7F;
    if (k <= 0 || k >= KEY_MAX) return;
    if (codigo & 0x80) {
        teclasAbaixo[k] = 0;
        return;
    }
    // Noted before it shows down: whoever takes the key down forgets its note.
    teclasNotadas[k] = true;
    teclasAbaixo[k] = 1;
}
END_OF_FUNCTION(notaTecla)

void notaMouse(int flags) {
    if (flags & MOUSE_FLAG_LEFT_DOWN) cliqueNotado = true;
}
END_OF_FUNCTION(notaMouse)

}  // namespace

void instalaToques() {
    LOCK_VARIABLE(teclasAbaixo);
    LOCK_VARIABLE(teclasNotadas);
    LOCK_VARIABLE(cliqueNotado);
    LOCK_FUNCTION(notaTecla);
    LOCK_FUNCTION(notaMouse);
    keyboard_lowlevel_callback = notaTecla;
    mouse_callback = notaMouse;
}

void recolheToques() {
    for (int k = 0; k < KEY_MAX; ++k)
        if (teclasNotadas[k].exchange(false)) toquesDoQuadro.teclas[k] = true;
    if (cliqueNotado.exchange(false)) toquesDoQuadro.clique = true;
}

void descartaToques() {
    for (auto& t : teclasNotadas) t = false;
}

void descartaToque(int codigo) { teclasNotadas[codigo] = false; }
