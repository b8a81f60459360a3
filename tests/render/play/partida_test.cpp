// Whole frames fed with scripted keys and mouse: the order of a frame shows in
// what it draws and in what it asks of the keyboard and the music.
#include <malloc.h>

#include <algorithm>

#include "tela_jogo.h"
#include "play/regras.h"
#include "play/tocador.h"

namespace {

class Partidas : public TelaJogo {
protected:
    int tom(const Bitmap& b) { return getpixel(b.get(), 0, 0); }
    // Level `n` with the scripted input, drawn with the stand-ins or with
    // what the (empty) folder gives.
    Partida partida(int n, bool comSubstitutos = true) {
        Partida p(tabelaFases[n - 1], comSubstitutos ? recursos() : carregaRecursosFase(Estilo::padrao));
        p.entrada = entrada();
        return p;
    }
    // Top-left pixel of the hero's picture on cell (x, y).
    static int hx(int x) { return TAM_CELULA * x + HEROI_DX; }
    static int hy(int y) { return TAM_CELULA * y + HEROI_DY; }
};

TEST_F(Partidas, AMoveShowsNextFrameAndABoxPictureFollowsTheEvaluationOneFrameLate) {
    Partida p = partida(1);  // hero (10, 6), box 3 on (10, 7) above a target

    Bitmap a = aperta(p, KEY_DOWN);
    EXPECT_EQ(getpixel(a.get(), hx(10), hy(6)), tom(heroi[FRENTE]));
    EXPECT_EQ(getpixel(a.get(), 400, 280), tom(caixa));
    EXPECT_EQ(pausas, std::vector<unsigned>{50});
    EXPECT_EQ(esvaziamentos, 1);
    EXPECT_FALSE(esperando);

    Bitmap b = quadro(p);
    EXPECT_EQ(getpixel(b.get(), hx(10), hy(7)), tom(heroi[FRENTE]));
    EXPECT_EQ(getpixel(b.get(), 400, 320), tom(caixaVerde));
    EXPECT_EQ(getpixel(b.get(), 400, 280), tom(pecas[CHAO]));

    // Undo moves the box in step 3, before it is drawn; its picture still
    // follows the last evaluation, which had it on the target.
    Bitmap c = aperta(p, KEY_V);
    EXPECT_EQ(getpixel(c.get(), 400, 280), tom(caixaVerde));
    EXPECT_EQ(getpixel(c.get(), 400, 320), tom(pecas[ALVO]));
    EXPECT_EQ(getpixel(c.get(), hx(10), hy(6)), tom(heroi[FRENTE]));
    EXPECT_EQ(pausas.size(), 1u);  // V is a press without an arrow: no pause

    Bitmap d = quadro(p);
    EXPECT_EQ(getpixel(d.get(), 400, 280), tom(caixa));
    EXPECT_EQ(p.estado.passos, 1);
    EXPECT_EQ(p.estado.movimentos, 1);
}

TEST_F(Partidas, PressesReleasedBeforeTheirFrameActAsHeldForIt) {
    // Down and up before the frame: the buffer holds the press, key[] no
    // longer shows it, the frame loop hands it over as a press of the frame.
    Partida p = partida(1);  // hero (10, 6), box (10, 7) above a target
    Toques toques;
    p.entrada.toques = &toques;
    p.entrada.recolhe = [] {};
    auto toque = [&](int tecla) {
        toques.teclas[tecla] = true;
        esperando = true;
        quadro(p);
        toques.limpa();
    };
    auto caixaEm = [&](Celula c) {
        const auto fim = p.estado.caixas.begin() + p.estado.numCaixas;
        return std::find(p.estado.caixas.begin(), fim, c) != fim;
    };
    toque(KEY_DOWN);
    EXPECT_EQ(p.estado.heroi, (Celula{10, 7}));
    EXPECT_TRUE(caixaEm({10, 8}));
    EXPECT_EQ(p.estado.direcao, FRENTE);
    EXPECT_EQ(pausas, std::vector<unsigned>{50});
    // Undo takes the push back, and the V press refreshes the copy.
    toque(KEY_V);
    EXPECT_EQ(p.estado.heroi, (Celula{10, 6}));
    EXPECT_TRUE(caixaEm({10, 7}));
    iniciaTocador(p.estado, 0);
    quadro(p);
    toque(KEY_F1);
    quadro(p);
    EXPECT_EQ(paradas, 1);  // paused once
    EXPECT_EQ(p.estado.passos, 1);
}

TEST_F(Partidas, AKeyDownAfterTheFrameCollectedActsOnce) {
    // F1 shows down in the keys and is noted, as the library does it, just
    // after step 7 collected: the frame takes it, and its note with it.
    instalaToques();
    Partida p = partida(1);
    p.entrada.teclas = Entrada().teclas;
    iniciaTocador(p.estado, 0);
    p.entrada.recolhe = [] {
        recolheToques();
        key[KEY_F1] = -1;
        keyboard_lowlevel_callback(KEY_F1);
    };
    quadro(p);
    key[KEY_F1] = 0;
    keyboard_lowlevel_callback(KEY_F1 | 0x80);
    p.entrada.recolhe = recolheToques;
    quadro(p);
    EXPECT_EQ(p.estado.faixa, 0) << "paused, not paused and resumed";
    keyboard_lowlevel_callback = nullptr;
    mouse_callback = nullptr;
}

TEST_F(Partidas, AQuickClickDuringAMovesPauseIsKept) {
    instalaToques();
    Partida p = partida(1);  // hero (10, 6), box (10, 7)
    const Retangulo& voltar = botoesJogo(Estilo::padrao).voltar.area;
    mx = voltar.x1;
    my = voltar.y1;
    // The click comes and goes during the push's pause, which then empties
    // the keyboard as the game does.
    p.entrada.pausa = [](unsigned) {
        mouse_callback(MOUSE_FLAG_LEFT_DOWN);
        mouse_callback(MOUSE_FLAG_LEFT_UP);
    };
    p.entrada.esvaziaTeclado = [this] {
        esperando = false;
        descartaToques();
    };
    aperta(p, KEY_DOWN);
    recolheToques();  // as the frame loop does between frames
    quadro(p);
    toquesDoQuadro.limpa();
    EXPECT_EQ(p.estado.heroi, (Celula{10, 6})) << "the click undid the push";
    keyboard_lowlevel_callback = nullptr;
    mouse_callback = nullptr;
}

TEST_F(Partidas, AWallSkipsThePressWithoutPauseAndTheBufferIsEmptiedAtTheEnd) {
    Partida p = partida(1);  // a wall right of the hero
    p.estado.direcao = COSTAS;
    aperta(p, KEY_RIGHT);
    EXPECT_TRUE(pausas.empty());
    EXPECT_EQ(esvaziamentos, 1);
    EXPECT_FALSE(esperando);
    Bitmap b = quadro(p);
    EXPECT_EQ(getpixel(b.get(), hx(10), hy(6)), tom(heroi[COSTAS]));
    EXPECT_EQ(p.estado.passos, 0);
    EXPECT_FALSE(p.estado.tempoIniciado);
}

TEST_F(Partidas, SolvingShowsOneFrameOfGreenBoxesThenAsksForEscape) {
    Partida p = partida(2);  // hero (8, 4), boxes (10, 7) and (10, 4)
    const int solucao[] = {KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_DOWN,  KEY_DOWN,
                           KEY_DOWN,  KEY_LEFT,  KEY_RIGHT, KEY_RIGHT, KEY_RIGHT,
                           KEY_UP,    KEY_UP,    KEY_UP,    KEY_LEFT};
    for (int tecla : solucao) {
        aperta(p, tecla);
        EXPECT_EQ(teclas[KEY_ESC], 0);
    }
    EXPECT_TRUE(todasNoAlvo(p.estado));

    Bitmap ultimo = quadro(p);
    EXPECT_EQ(teclas[KEY_ESC], 1);
    EXPECT_EQ(getpixel(ultimo.get(), 440, 160), tom(caixaVerde));
    EXPECT_EQ(getpixel(ultimo.get(), 360, 280), tom(caixaVerde));
    EXPECT_EQ(getpixel(ultimo.get(), hx(12), hy(4)), tom(heroi[ESQUERDA]));
    EXPECT_EQ(p.estado.passos, 14);
    EXPECT_EQ(p.estado.movimentos, 4);
    EXPECT_EQ(pausas.size(), 14u);
}

TEST_F(Partidas, FunctionKeysActOncePerKeyDownAndTheTrackChangesNextFrame) {
    Partida p = partida(1);
    iniciaTocador(p.estado, 11);  // track 12

    quadro(p);
    EXPECT_EQ(tocadas, std::vector<int>{12});

    teclas[KEY_F3] = 1;
    quadro(p);
    EXPECT_EQ(teclas[KEY_F3], 0);
    EXPECT_EQ(paradas, 1);
    EXPECT_EQ(tocadas, std::vector<int>{12});
    quadro(p);
    EXPECT_EQ(tocadas, (std::vector<int>{12, 1}));

    teclas[KEY_F1] = 1;
    Bitmap pausa = quadro(p);
    EXPECT_EQ(teclas[KEY_F1], 0);
    EXPECT_EQ(paradas, 1);  // pausing stops the music one frame later
    Bitmap pausado = quadro(p);
    EXPECT_EQ(paradas, 2);
    // The title line now reads "Pausado", shorter than the track's title.
    const int branco = makecol(255, 255, 255);
    EXPECT_TRUE(temCor(pausa.get(), 0, 565, 360, 572, branco));
    EXPECT_FALSE(temCor(pausado.get(), 0, 565, 360, 572, branco));
    EXPECT_TRUE(temCor(pausado.get(), 372, 565, 428, 572, branco));
}

TEST_F(Partidas, BonusButtonsAndLabelsAreDrawnOverTheStatusPanel) {
    const int rotulo = makecol(181, 255, 0);
    mx = 720;
    my = 425;  // label from (740, 441), inside the panel
    Partida bonus = partida(10);
    Bitmap b = quadro(bonus);
    EXPECT_EQ(getpixel(b.get(), 712, 402), tom(voltar));
    EXPECT_TRUE(temCor(b.get(), 740, 444, 758, 448, rotulo));

    mx = 110;
    my = 60;  // the standard undo place does nothing in the bonus level
    Bitmap c = quadro(bonus);
    EXPECT_FALSE(temCor(c.get(), 0, 0, 799, 599, rotulo));
    EXPECT_EQ(getpixel(c.get(), 710, 400), tom(voltar2));
}

TEST_F(Partidas, ThePointerIsDrawnOverTheTrackTitle) {
    mx = 385;
    my = 567;  // on the title's text, centred at (400, 565): "Pausado" before a track plays
    Partida p = partida(1);
    ASSERT_EQ(p.estado.faixa, 0);
    Bitmap b = quadro(p);
    BITMAP* cursor = p.cursor.get();
    for (int y = 0; y < cursor->h; ++y) {
        for (int x = 0; x < cursor->w; ++x) {
            if (getpixel(cursor, x, y) != bitmap_mask_color(cursor)) {
                ASSERT_EQ(getpixel(b.get(), mx + x, my + y), getpixel(cursor, x, y)) << x << "," << y;
            }
        }
    }
}

TEST_F(Partidas, ALevelWithEveryFileMissingStillPlays) {
    Partida p = partida(2, false);
    aperta(p, KEY_RIGHT);
    aperta(p, KEY_RIGHT);
    Bitmap b = quadro(p);
    EXPECT_EQ(p.estado.heroi, (Celula{10, 4}));
    EXPECT_EQ(p.estado.movimentos, 1);
    EXPECT_TRUE(temCor(b.get(), 580, 460, 600, 467, makecol(63, 72, 204)));  // steps, built-in font
}

TEST_F(Partidas, EnteringALevelTwoHundredTimesKeepsMemoryFlat) {
    auto entra = [&] {
        Partida p = partida(9, false);
        aperta(p, KEY_LEFT);
        quadro(p);
    };
    for (int i = 0; i < 10; ++i) entra();
    const size_t antes = mallinfo2().uordblks;
    for (int i = 0; i < 200; ++i) entra();
    const size_t depois = mallinfo2().uordblks;
    // One leaked board picture alone would be 1.9 MB per entry.
    EXPECT_LT(depois, antes + 64 * 1024) << "grew by " << (depois - antes) << " bytes";
}

}  // namespace
