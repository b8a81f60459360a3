// Writes a Standard MIDI File (format 1) from a piece read by lePartitura.
#pragma once

#include <cstdint>
#include <vector>

#include "partitura.h"

namespace musica {

// Track 0 holds the metre and the tempo map; one track per trilha follows,
// opening with its program, volume and pan. Every track ends at the loop
// point, so a looping player restarts on the beat. The bytes depend on the
// piece alone.
std::vector<uint8_t> escreveSmf(const Musica& m);

// The variable-length quantity of the file format.
void poeVlq(std::vector<uint8_t>& out, uint32_t v);

}  // namespace musica
