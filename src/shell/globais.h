// Program-wide state shared with the library's timer and window threads.
#pragma once

#include <atomic>

#include <allegro.h>

extern std::atomic<int> FecharJogo;  // quit flag: non-zero ends every screen
extern std::atomic<int> contFrames;  // 60 Hz ticks not yet consumed by a frame
extern std::atomic<int> contTempo;   // whole seconds, read by the level clock

extern PALETTE pl;  // the one palette handed to every picture and font load
