// Runs the rule steps of one level frame in the order jogar calls them, over
// scripted input, and keeps what the screen would have drawn and done.
#pragma once

#include <atomic>
#include <string>

#include "regras.h"

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

class Motor {
public:
    explicit Motor(const DadosFase& f, int larguraCaixa = 40, int alturaCaixa = 40)
        : fase(f), estado(iniciaEstado(f)), largura_(larguraCaixa), altura_(alturaCaixa) {}

    void quadro(const Quadro& q) {
        ++quadros;
        buffer = buffer || q.tecla;
        pedidosBotoes(estado, fase, q.v, q.r, q.mouse, contTempo);  // step 3
        desenhoNoAlvo = estado.caixaNoAlvo;                              // step 4
        testeParede(estado, fase, q.setas, largura_, altura_);         // step 5
        const Setas depois = une(q.setas, q.descemNaTecla);
        if (buffer) {                                                    // step 7
            const Tecla t = processaTecla(estado, fase, depois);
            if (t == Tecla::comSeta) ++pausas;
            if (t != Tecla::ignorada) buffer = false;
        }
        if (avaliaAlvos(estado, fase)) esc = true;                       // step 8
        if (liberaBloqueios(estado, q.soltaNoFim ? Setas{} : depois)) buffer = false;
        atualizaRelogio(estado, contTempo);                              // step 9
    }

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
    int largura_;
    int altura_;
};
