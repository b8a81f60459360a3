// The player's progress: the highest open level, kept in save.bin as one
// little-endian 32-bit integer in the folder the game runs in.
#pragma once

extern int mapaLiberado;  // level k (2..9) is open when mapaLiberado >= k; the bonus at >= 10

// Level 1 is always open; level k needs mapaLiberado of at least k.
bool faseAberta(int numero);

// Reads save.bin, creating it with the current value when it is missing.
// A save.bin that cannot be used (not a regular file, or a folder without
// write access) leaves the value in memory, and each try says so through
// avisoProgresso.
void carregaProgresso();
// Says why save.bin cannot be used: one line on stderr unless the start-up
// gives another way.
extern void (*avisoProgresso)(const char* texto);
// Writes mapaLiberado into the first four bytes of save.bin.
void salvaProgresso();
// Clearing the highest open level opens the next one (a stored value below 1
// counts as 1 here). save.bin is written when it holds another value, unless
// it holds more progress (up to 11), which another copy of the game in the
// same folder wrote: that value is taken up instead, so progress never drops.
void registraConclusao(int numero);
