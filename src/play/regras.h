// Rules of play: moves and pushes, undo and restart, the target evaluation,
// the level clock. Plain C++: the screen reads its Entrada (the keys down
// now and the presses noted since the last frame), keypressed() and the
// mouse, hands what it read to these functions in the frame's order,
// passaQuadro's (passosQuadro.h), and does what they answer (rest,
// clear_keybuf, Esc written down). Nothing here sleeps, draws or touches the
// library. After the loop: todasNoAlvo(...) decides whether fimDeFase is shown.
#pragma once

#include <atomic>
#include <string>

#include "play/fase.h"
#include "screen/botoesJogo.h"

// The arrow keys as the frame reads them: down now, or pressed since the last frame.
struct Setas {
    bool cima = false;
    bool baixo = false;
    bool esquerda = false;
    bool direita = false;
    bool alguma() const { return cima || baixo || esquerda || direita; }
};

// The mouse as the frame reads it: the pointer, and bit 0 of b for a left
// press that began on this screen (Entrada::clique).
struct Mouse {
    int x = -1;
    int y = -1;
    int b = 0;
};

// The undo and restart buttons of a layout: the rules read their areas.
const BotoesJogo& botoesJogo(Estilo layoutBotoes);

// The buttons' requests, before the boxes are drawn. Undo first (V down, or
// left button inside the undo area): the hero and the boxes go back to the
// undo copy, nothing else changes.
// Then restart (R, or left button inside the restart area): start cells,
// counters, clock and contTempo to zero, facing front; contConclusao, the
// on-target flags and the blocking flags stay. So V and R together restart.
// No edge detection: a held key or button repeats the request every frame.
void pedidosBotoes(EstadoFase& estado, const DadosFase& fase, bool teclaV, bool teclaR,
                   Mouse mouse, std::atomic<int>& contTempo);

// The wall test, before the hero is drawn: sets bloqueioParede when a held
// arrow points at a wall next to the hero; never clears it. The
// neighbourhood is measured in pixels with the box picture's size (a cell
// normally; pass TAM_CELULA when the picture is missing).
void testeParede(EstadoFase& estado, const DadosFase& fase, Setas setas, int larguraCaixa,
                 int alturaCaixa);

// What the screen must do after processaTecla.
enum class Tecla {
    ignorada,  // bloqueioParede: the press stays in the buffer (emptied after liberaBloqueios)
    semSeta,   // processed with no arrow down: clear_keybuf()
    comSeta,   // processed with an arrow down: rest(50), then clear_keybuf()
};

// The move, called only when a key press waits in the buffer (any key:
// V, R, F1.. count too, with no arrow down). Starts the clock on the first
// arrow press, refreshes the undo copy, runs the push tests (each box in
// table order, Left, Right, Up, Down), turns the hero (Up, Down, Left, Right
// first wins) and steps it unless a box flag is set or its next cell still
// holds a box or a wall.
Tecla processaTecla(EstadoFase& estado, const DadosFase& fase, Setas setas);

// The target evaluation, after the move: sets each caixaNoAlvo from the
// map. With every box on a target the completion counter goes from even to
// odd; on the next such evaluation (odd) the answer is true: the screen
// writes Esc down, which ends the level's loop.
bool avaliaAlvos(EstadoFase& estado, const DadosFase& fase);

// Right after the evaluation: each blocking flag that is set is cleared
// when an arrow is down. True when any flag was set: call clear_keybuf().
bool liberaBloqueios(EstadoFase& estado, Setas setas);

// Whether the last evaluation found every box on a target (leaving the level).
bool todasNoAlvo(const EstadoFase& estado);

// With the status bar, before its clock is drawn: the running clock takes
// its seconds from contTempo and rolls over into minutos at 60; a clock that
// has not started holds contTempo at 0.
void atualizaRelogio(EstadoFase& estado, std::atomic<int>& contTempo);

// One number of a clock: "%d" above 9, else "0%d " (trailing blank). The
// status bar and the level-complete panel print minutes and seconds with it.
std::string textoRelogio(int valor);
