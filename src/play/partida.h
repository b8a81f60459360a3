// One level being played: its state, what it draws with, and the frame body.
// The frame reads the keys and the mouse through EntradaFase, so a test can
// script them frame by frame and draw into a memory bitmap.
#pragma once

#include <functional>

#include <allegro.h>

#include "play/desenhoFase.h"
#include "play/fase.h"
#include "shell/entrada.h"
#include "shell/recursos.h"

// Stops the track and cuts the notes still ringing out, so that a pause
// (F1) is heard at once.
void silenciaMusica();

// The keys, the mouse and the keyboard buffer as a frame of level play sees
// them: after the 50 ms pause of a move the rest of the frame reads the keys
// as they are then, and the frame writes entries back (Esc on completion,
// F1..F3 once handled).
struct EntradaFase : Entrada {
    std::function<bool()> teclaEsperando = [] { return keypressed() != 0; };
    std::function<void()> recolhe = recolheToques;
    // The key presses noted since the frame began go with the buffer's; the
    // frame keeps reading those it took.
    std::function<void()> esvaziaTeclado = [] {
        clear_keybuf();
        descartaToques();
    };
    std::function<void(unsigned ms)> pausa = [](unsigned ms) { rest(ms); };
    std::function<void(int faixa)> tocaFaixa;  // play track 1..12 looped
    std::function<void()> paraMusica = silenciaMusica;
};

struct Partida {
    const DadosFase& fase;
    EstadoFase estado;
    RecursosFase rec;
    Bitmap fundo;   // board, frame outlines and music footer, drawn once
    PainelFixo painel;
    Bitmap cursor;
    EntradaFase entrada;

    // Pre-renders the board and the panel; the music player is left for the caller to start.
    Partida(const DadosFase& fase, const RecursosFase& rec);
};

// Plays playlist track 1..12 from its start, over and over.
void tocaFaixa(int numero);

// Loads the twelve tracks (once, through the cache), draws the first track at
// random and lets the frames play tracks with tocaFaixa.
void iniciaMusica(Partida& p);

// One frame of level play, from the board to the music lines; the frame loop
// clears `alvo` before and presents it after.
void quadroPartida(Partida& p, BITMAP* alvo);
