// The playlist of the level music: twelve MIDI tracks in a fixed order, each
// with the one-line title the music player shows. Plain data, no Allegro.
#pragma once

#include <array>

struct Faixa {
    const char* arquivo;  // relative to the run folder
    const char* titulo;   // Latin-1
};

constexpr int NUM_FAIXAS = 12;
extern const std::array<Faixa, NUM_FAIXAS> faixas;
