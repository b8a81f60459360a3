// The music player's state machine (faixa, faixaSalva, iniciarFaixa of
// EstadoFase). Plain C++: the screen calls play_midi/stop_midi as told and
// draws the title ("Pausado" for faixa 0, the track's title for 1..12).
#pragma once

#include "play/faixas.h"
#include "play/fase.h"

// Level start: the caller seeds (srand(time(NULL))) and passes rand(); the
// first track is aleatorio % NUM_FAIXAS + 1 and starts on the first music step.
void iniciaTocador(EstadoFase& estado, int aleatorio);

// The frame's music step, before the track's title is drawn: the track to
// start or stop, if one is due.
struct AcaoMusica {
    enum Tipo { nada, tocar, parar } tipo;
    int faixa;  // with tocar: play_midi(track faixa (1..12), looped)
};
AcaoMusica passoMusica(EstadoFase& estado);

// F1, F2, F3 as the frame takes them: down now or pressed since the last
// frame, each press once (Entrada::tomaTecla).
struct TeclasMusica {
    bool f1 = false;
    bool f2 = false;
    bool f3 = false;
};

// After the track's title is drawn: F2 (previous, 1 -> 12), F3 (next,
// 12 -> 1), F1 (pause / resume the kept track from its start), in that
// order; each takes effect on the next passoMusica. While paused, F2 plays track 12 and F3
// track 1; the kept track stays until the next pause. True when stop_midi()
// is due now.
bool teclasMusica(EstadoFase& estado, TeclasMusica teclas);
