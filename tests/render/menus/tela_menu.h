// The menu screens' frames fed with a scripted mouse and keyboard, in a
// scratch folder of their own for save.bin.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "apoio.h"
#include "menus/acoes.h"
#include "pasta_temporaria.h"
#include "play/progresso.h"
#include "shell/entrada.h"

class TelaMenu : public ::testing::Test {
protected:
    void SetUp() override {
        entrada.mouseX = &mx;
        entrada.mouseY = &my;
        entrada.mouseB = &mb;
        entrada.teclas = teclas;
        mapaLiberado = 1;
    }

    // Moves the scripted mouse; `botao` true holds the left button. A press
    // that starts here follows a button the screen saw up, as a real one does.
    void mouse(int x, int y, bool botao = false) {
        if (botao && !mb) entrada.observaBotao();
        mx = x;
        my = y;
        mb = botao ? 1 : 0;
    }
    // A fresh 800x600 target painted with `fundoCor`.
    Bitmap tela() { return bloco(800, 600, 10, 60, 120); }
    static bool existe(const char* arquivo) { return std::filesystem::exists(arquivo); }
    static std::vector<unsigned char> bytes(const char* arquivo) {
        std::ifstream in(arquivo, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    PastaTemporaria pasta;
    // Stand-ins of one colour for the screens' pictures: a background, an
    // arrow at rest and lit, a lit button, a padlock, the new-game box.
    Bitmap fundo = bloco(800, 600, 0, 0, 90), seta = bloco(10, 10, 0, 150, 0), setaAcesa = bloco(10, 10, 0, 250, 0);
    Bitmap aceso = bloco(10, 10, 250, 250, 0), cadeado = bloco(12, 12, 200, 40, 40);
    Bitmap pergunta = bloco(10, 10, 90, 0, 90), sim = bloco(10, 10, 0, 90, 90), nao = bloco(10, 10, 90, 90, 0);
    volatile int mx = 0, my = 0, mb = 0;
    volatile char teclas[KEY_MAX] = {};
    Entrada entrada;
    const int fundoCor = makecol(10, 60, 120);
};
