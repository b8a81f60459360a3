// Shared set-up for the menu frame tests: Allegro without a display, a
// scripted mouse and keyboard, solid test pictures and a scratch folder
// for save.bin.
#pragma once

#include <gtest/gtest.h>

#include <allegro.h>

#include <string>
#include <vector>

#include "menus/acoes.h"
#include "shell/recursos.h"

class TelaMenu : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Moves the scripted mouse; `botao` true holds the left button. A press
    // that starts here follows a button the screen saw up, as a real one does.
    void mouse(int x, int y, bool botao = false) {
        if (botao && !mb) entrada.observaBotao();
        mx = x;
        my = y;
        mb = botao ? 1 : 0;
    }
    // A picture of one colour, to find where a frame drew it.
    Bitmap bloco(int w, int h, int r, int g, int b);
    // A fresh 800x600 target painted with `fundoCor`.
    Bitmap tela();

    int pixel(BITMAP* bmp, int x, int y) const { return getpixel(bmp, x, y); }
    bool existe(const char* arquivo) const;
    std::vector<unsigned char> bytes(const char* arquivo) const;

    volatile int mx = 0, my = 0, mb = 0;
    volatile char teclas[KEY_MAX] = {};
    Entrada entrada;
    int fundoCor = 0;
    std::string pasta, pastaAnterior;
};
