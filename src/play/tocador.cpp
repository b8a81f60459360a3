#include "tocador.h"

void iniciaTocador(EstadoFase& e, int aleatorio) {
    e.faixa = aleatorio % NUM_FAIXAS + 1;
    e.faixaSalva = 0;
    e.iniciarFaixa = true;
}

AcaoMusica passoMusica(EstadoFase& e) {
    if (!e.iniciarFaixa) return {AcaoMusica::nada, 0};
    e.iniciarFaixa = false;
    if (e.faixa == 0) return {AcaoMusica::parar, 0};
    if (e.faixa >= 1 && e.faixa <= NUM_FAIXAS) return {AcaoMusica::tocar, e.faixa};
    return {AcaoMusica::nada, 0};
}

bool teclasMusica(EstadoFase& e, TeclasMusica teclas) {
    bool parar = false;
    if (teclas.f2) {
        // Paused (0) goes to the last track, as F3 from pause goes to the first.
        e.faixa = e.faixa <= 1 ? NUM_FAIXAS : e.faixa - 1;
        parar = true;
        e.iniciarFaixa = true;
    }
    if (teclas.f3) {
        e.faixa = e.faixa == NUM_FAIXAS ? 1 : e.faixa + 1;
        parar = true;
        e.iniciarFaixa = true;
    }
    if (teclas.f1) {
        if (e.faixa != 0) {
            e.faixaSalva = e.faixa;
            e.faixa = 0;
        } else {
            e.faixa = e.faixaSalva;
            parar = true;
        }
        e.iniciarFaixa = true;
    }
    return parar;
}
