// The game's own mouse pointer: a green arrow drawn by every screen.
#pragma once

#include <allegro.h>

// Builds the 20x20 cursor picture; magenta is transparent. Hot spot (0, 0).
BITMAP* makeCursor();
