// Allegro without a display, memory bitmaps, and a level fed with scripted
// keys and mouse.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "play/partida.h"

class TelaJogo : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    static Bitmap bloco(int w, int h, int r, int g, int b);
    static int cor(BITMAP* bmp, int x, int y) { return getpixel(bmp, x, y); }
    // Whether any pixel of the rectangle has colour `c`.
    static bool temCor(BITMAP* bmp, int x1, int y1, int x2, int y2, int c);

    // Coloured stand-ins for every picture; fonts are the built-in one.
    RecursosFase recursos();

    // Feeds the level one frame into a fresh 800 x 600 picture.
    Bitmap quadro(Partida& p);
    // One key press: the key held and a press waiting for one frame.
    Bitmap aperta(Partida& p, int tecla);

    EntradaFase entrada();

    char teclas[KEY_MAX] = {};
    int mx = 0, my = 0, mb = 0;
    bool esperando = false;
    std::vector<unsigned> pausas;
    int esvaziamentos = 0;
    std::vector<int> tocadas;
    int paradas = 0;

    std::string pasta, pastaAnterior;

    Bitmap pecas[5], caixa, caixaVerde, heroi[4], voltar, voltar2, replay, replay2;
};
