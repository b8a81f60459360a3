// Finds a solution of a level by search over pushes: the boxes' cells and
// the hero's reachable area make a state. The moves follow the game's rules
// with one arrow held per key press, so a solution can be typed as it is.
#pragma once

#include <optional>
#include <string>

#include "play/fase.h"

struct Solucao {
    std::string setas;  // one key press per letter: C (up), B (down), E (left), D (right)
    int passos = 0;     // cells the hero moves: every letter
    int movimentos = 0; // letters that push a box
};

// A* over pushes; `peso` above 1 weighs the estimate up, trading the fewest
// pushes for a much smaller search (with 2 every level takes well under a
// second; the bonus level is out of reach with 1). Empty when the search
// space is exhausted or `limiteEstados` states were seen.
std::optional<Solucao> resolve(const DadosFase& fase, int peso = 2, long limiteEstados = 2'000'000);
