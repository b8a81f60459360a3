// Level play: one level from its first frame to the level-complete screen.
#pragma once

#include "play/fase.h"

// Plays `fase` until it is solved, Escape is pressed or the game is closing,
// then returns to the page that called it with Escape taken.
void jogar(const DadosFase& fase);
