// What the desktop knows of the game's window on X11: its class (which ties
// it to the launcher), its process and its icon; and the end of the game
// when the display goes away. Nothing to do on other systems.
#pragma once

#include <allegro.h>

// Exit status when the connection to the display breaks (the session ended,
// the X server died): 128 + SIGHUP, as a terminal hanging up.
constexpr int SAIDA_SEM_TELA = 129;

#ifdef ZEPKO_X11
// Before allegro_init: the class and the icon the window is created with.
void preparaJanela();
// After set_gfx_mode: _NET_WM_PID and _NET_WM_ICON, and the end of the game
// (one line on stderr, exit status SAIDA_SEM_TELA) if the display goes away.
void identificaJanela();
#else
inline void preparaJanela() {}
inline void identificaJanela() {}
#endif
