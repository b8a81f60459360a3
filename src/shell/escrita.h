// The files the game keeps (save.bin, config.txt) are never left half
// written: an end forced from another thread, when the display goes away,
// waits for the write in progress. Plain C++: the progress file uses it too.
#pragma once

#include <atomic>

inline std::atomic<int> escritasEmCurso{0};

// Marks a file being written for as long as it lives.
struct Escrita {
    Escrita() { ++escritasEmCurso; }
    ~Escrita() { --escritasEmCurso; }
    Escrita(const Escrita&) = delete;
    Escrita& operator=(const Escrita&) = delete;
};
