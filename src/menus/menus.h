// The menu screens. Each one loads its pictures through the cache, builds its
// cursor and runs the shared frame loop; a screen opens the next one, below
// it, from inside its frame, so the call stack mirrors the open screens.
#pragma once

// The outermost screen; returns when the game is to end.
void telaTitulo();
