// Reads the note text of one piece (data/musica/*.txt) into timed MIDI
// events. The text format is described in data/musica/LEIAME.txt.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace musica {

constexpr int kDivisao = 480;  // ticks per quarter note

// A fault in the note text; the message names the file and line.
struct ErroPartitura : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Evento {
    uint32_t tick;
    uint8_t status;  // channel message, channel in the low nibble
    uint8_t dado1;
    uint8_t dado2;
};

struct Trilha {
    std::string nome;
    int canal = 0;  // 0..15
    int programa = 0;
    int volume = 100;
    int pan = 64;
    std::vector<Evento> eventos;  // sorted by tick; note-offs before note-ons
};

struct Andamento {
    uint32_t tick;
    int bpm;  // quarter notes per minute
};

struct Musica {
    int numerador = 4;
    int denominador = 4;
    std::vector<Andamento> andamentos;  // sorted, the first at tick 0
    std::vector<Trilha> trilhas;
    uint32_t duracao = 0;  // ticks; every track ends here, the loop point

    double segundos() const;
};

// Throws ErroPartitura on any fault: unknown word, bar line off the beat,
// tracks of different lengths, a piece that does not end on a whole bar.
Musica lePartitura(const std::string& texto, const std::string& nomeArquivo);

// Number of ticks of a duration word such as "q", "h.", "e3" or "hq" (a
// sum); 0 when the word is not a duration.
int duracaoDe(const std::string& palavra);

}  // namespace musica
