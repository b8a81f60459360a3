// Program-wide state shared with the library's timer and window threads.
#pragma once

#include <atomic>

#include <allegro.h>

extern std::atomic<int> FecharJogo;  // quit flag: non-zero ends every screen
extern std::atomic<int> contFrames;  // 60 Hz ticks not yet consumed by a frame
extern std::atomic<int> contTempo;   // whole seconds, read by the level clock

extern PALETTE pl;  // the one palette handed to every picture and font load

// Tests only: ZEPKO_TEST_TEMPO_PARADO=1 stops the game's own time, so that
// two runs (natively and in a browser) draw the same pictures: the level
// clock never ticks, the title's credit line stands still, and no lot
// picks the first track. Players never set it.
bool tempoParado();
