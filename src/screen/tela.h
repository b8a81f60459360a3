// The game's screen: one 800 x 600 window whatever config.txt says, the
// colours its pictures share, and the framed black box that the new-game
// dialog and the level-complete panel grow.
#pragma once

#include <allegro.h>

constexpr int LARGURA_TELA = 800;
constexpr int ALTURA_TELA = 600;

// In the colour depth in force, so made when drawing.
inline int corPreta() { return makecol(0, 0, 0); }
inline int corBranca() { return makecol(255, 255, 255); }
inline int quaseBranco() { return makecol(250, 250, 250); }
inline int cinzaClaro() { return makecol(200, 200, 200); }
inline int cinza() { return makecol(150, 150, 150); }
inline int corRotulo() { return makecol(181, 230, 29); }  // "Tempo", "Passos", "Movimentos"
inline int corValor() { return makecol(63, 72, 204); }    // the figures beside them

// A black box of half-width w and half-height h round the screen's centre,
// outlined white, then light grey and grey one and two pixels further out.
// With h below zero the outlines step out sideways and in vertically: the
// level-complete panel's look.
void caixaMoldurada(BITMAP* alvo, int w, int h);

// The divider of a box: a white line from x1 to x2 at y between two grey ones.
void divisoria(BITMAP* alvo, int x1, int x2, int y);
