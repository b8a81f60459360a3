#include "faixas.h"

// Titles are Latin-1 bytes: the game's text format is plain 8-bit.
const std::array<Faixa, NUM_FAIXAS> faixas = {{
    {"mid/01.mid", "Ode \xE0 Alegria - Beethoven"},
    {"mid/02.mid", "Greensleeves - tradicional inglesa"},
    {"mid/03.mid", "Valsa da Despedida - tradicional escocesa"},
    {"mid/04.mid", "Na Gruta do Rei da Montanha - Grieg"},
    {"mid/05.mid", "Minueto em Sol - Petzold"},
    {"mid/06.mid", "The Entertainer - Joplin"},
    {"mid/07.mid", "C\xE2non em R\xE9 - Pachelbel"},
    {"mid/08.mid", "Sakura Sakura - tradicional japonesa"},
    {"mid/09.mid", "Can-can - Offenbach"},
    {"mid/10.mid", "Para Elisa - Beethoven"},
    {"mid/11.mid", "Frei Jo\xE3o - tradicional francesa"},
    {"mid/12.mid", "A Manh\xE3 - Grieg"},
}};
