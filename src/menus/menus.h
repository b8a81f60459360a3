// The menu screens. Each one loads its pictures through the cache, builds its
// cursor and runs the shared frame loop; a screen opens the next one from
// inside its frame, so the call stack mirrors the open screens.
#pragma once

// The outermost screen; returns when the game is to end.
void telaTitulo();
// Levels 1 to 8 and the new-game box; Escape returns to the title screen.
void fases();
// Level 9 and the bonus level; the back arrow or Escape returns to fases.
void fases2();
