// Scripted input for the level frame's steps, and a runner of those steps.
// Compiled once, in motor.cpp: one copy of the game's frame runs in the tests.
#pragma once

#include <atomic>
#include <map>
#include <string>

#include "play/regras.h"

// A board with nothing but its border: no wall anywhere.
inline const Mapa soMoldura = [] {
    Mapa m{};
    for (int y = 0; y < LINHAS; ++y)
        for (int x = 0; x < COLUNAS; ++x)
            m[y][x] = x == 0 || y == 0 || x == COLUNAS - 1 || y == LINHAS - 1 ? BORDA : FORA;
    return m;
}();

// Input of one frame.
struct Quadro {
    Setas setas;               // arrows held during the frame
    Setas descemNaTecla;       // arrows that go down between the wall test and the press
    bool tecla = false;        // a key press reaches the buffer before the frame
    bool soltaNoFim = false;   // the arrows are released before step 8
    bool v = false;            // key[KEY_V]
    bool r = false;            // key[KEY_R]
    Mouse mouse;
};

// A key press with one arrow held: C up, B down, E left, D right.
inline Quadro seta(char letra) {
    Quadro q;
    q.tecla = true;
    q.setas.cima = letra == 'C';
    q.setas.baixo = letra == 'B';
    q.setas.esquerda = letra == 'E';
    q.setas.direita = letra == 'D';
    return q;
}

inline Setas une(Setas a, Setas b) {
    return {a.cima || b.cima, a.baixo || b.baixo, a.esquerda || b.esquerda,
            a.direita || b.direita};
}

// A frame in which nothing is pressed.
inline Quadro parado() { return {}; }

// Runs level frames through the game's own steps (passaQuadro) over scripted
// input, and keeps what the screen would have drawn and done.
class Motor {
public:
    explicit Motor(const DadosFase& f, int larguraCaixa = 40, int alturaCaixa = 40)
        : fase(f), estado(iniciaEstado(f)), largura_(larguraCaixa), altura_(alturaCaixa) {}

    void quadro(const Quadro& q);

    // Types `setas` (letters of seta()) one press per frame.
    void digita(const std::string& setas) {
        for (char c : setas) quadro(seta(c));
    }

    const DadosFase& fase;
    EstadoFase estado;
    std::atomic<int> contTempo{0};
    bool buffer = false;  // a key press waits in the keyboard buffer
    bool esc = false;     // completion wrote key[KEY_ESC]
    int pausas = 0;       // rest(50) calls
    int quadros = 0;
    std::array<bool, MAX_CAIXAS> desenhoNoAlvo{};  // box pictures of the last frame

private:
    // The screen's side of one frame, from the script (motor.cpp).
    struct Tela;

    int largura_;
    int altura_;
};

// Types the presses and checks the level ends one frame after the last one,
// with the given counts.
void confereSolucao(const DadosFase& fase, const std::string& setas, int passos, int movimentos);

// The committed solutions (solucoes.txt), by level.
struct SolucaoGuardada {
    int passos = 0;
    int movimentos = 0;
    std::string setas;
};

std::map<int, SolucaoGuardada> solucoesGuardadas();
