// A level fed with scripted keys and mouse, in an empty scratch folder
// (whatever the cache looks for is missing), with coloured stand-ins for
// its pictures.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "apoio.h"
#include "pasta_temporaria.h"
#include "play/partida.h"

class TelaJogo : public ::testing::Test {
protected:
    void SetUp() override {
        const int tons[5][3] = {{0, 0, 60}, {120, 60, 0}, {200, 200, 200}, {200, 0, 0}, {0, 0, 250}};
        for (int i = 0; i < 5; ++i) pecas[i] = bloco(40, 40, tons[i][0], tons[i][1], tons[i][2]);
        for (int i = 0; i < 4; ++i) heroi[i] = bloco(22, 36, 250, 200, 10 + 40 * i);
    }
    void TearDown() override { liberaRecursos(); }

    // Every picture a stand-in; fonts are the built-in one.
    RecursosFase recursos() {
        RecursosFase r;
        for (int i = 0; i < 5; ++i) r.pecas[i] = pecas[i].get();
        r.caixa = caixa.get();
        r.caixaNoAlvo = caixaVerde.get();
        r.heroi = {heroi[0].get(), heroi[1].get(), heroi[2].get(), heroi[3].get(), heroi[0].get()};
        r.voltar = voltar.get();
        r.voltar2 = voltar2.get();
        r.replay = replay.get();
        r.replay2 = replay2.get();
        r.cooper = r.arial = font;
        return r;
    }
    EntradaFase entrada() {
        EntradaFase e;
        e.teclas = teclas;
        e.mouseX = &mx;
        e.mouseY = &my;
        e.mouseB = &mb;
        e.teclaEsperando = [this] { return esperando; };
        e.esvaziaTeclado = [this] {
            esperando = false;
            ++esvaziamentos;
        };
        e.pausa = [this](unsigned ms) { pausas.push_back(ms); };
        e.tocaFaixa = [this](int f) { tocadas.push_back(f); };
        e.paraMusica = [this] { ++paradas; };
        return e;
    }
    // Feeds the level one frame into a fresh 800 x 600 picture.
    Bitmap quadro(Partida& p) {
        Bitmap alvo = bloco(800, 600, 0, 0, 0);
        quadroPartida(p, alvo.get());
        return alvo;
    }
    // One key press: the key held and a press waiting for one frame.
    Bitmap aperta(Partida& p, int tecla) {
        teclas[tecla] = 1;
        esperando = true;
        Bitmap alvo = quadro(p);
        teclas[tecla] = 0;
        return alvo;
    }

    PastaTemporaria pasta;
    char teclas[KEY_MAX] = {};
    int mx = 0, my = 0, mb = 0;
    bool esperando = false;
    std::vector<unsigned> pausas;
    int esvaziamentos = 0;
    std::vector<int> tocadas;
    int paradas = 0;

    Bitmap pecas[5], heroi[4];
    Bitmap caixa = bloco(40, 40, 150, 100, 50), caixaVerde = bloco(40, 40, 0, 220, 0);
    Bitmap voltar = bloco(36, 30, 10, 10, 200), voltar2 = bloco(36, 30, 10, 10, 100);
    Bitmap replay = bloco(36, 30, 200, 10, 10), replay2 = bloco(36, 30, 100, 10, 10);
};
