// Where level play's undo and restart buttons stand and what their hover
// labels say, in both layouts of a level: the rules take the clicks in the
// areas, the level screen draws the rest, the art tests check the pictures
// against it. Plain C++.
#pragma once

#include "screen/layout.h"
#include "screen/retangulo.h"

// The same rectangle takes the clicks and shows the hover label.
struct BotaoJogo {
    Retangulo area;
    Ponto normal;  // picture when the pointer is elsewhere
    Ponto sobre;   // lit picture under the pointer
    const char* rotulo;
};
struct BotoesJogo {
    BotaoJogo voltar;
    BotaoJogo reiniciar;
};

// Top-left corner of the board.
inline constexpr BotoesJogo BOTOES_PADRAO{
    {{100, 55, 135, 80}, {100, 50}, {102, 52}, "Voltar (V)"},
    {{55, 55, 90, 80}, {55, 50}, {57, 51}, "Reiniciar (R)"},
};
// The bonus level's: just above the right end of the status panel.
inline constexpr BotoesJogo BOTOES_BONUS{
    {{710, 405, 745, 430}, {710, 400}, {712, 402}, "Voltar (V)"},
    {{665, 405, 700, 430}, {665, 400}, {667, 401}, "Reiniciar (R)"},
};
