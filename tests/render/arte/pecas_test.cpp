// Board tiles, boxes, the hero and the in-game buttons.
#include <gtest/gtest.h>

#include "apoio_arte.h"

namespace {

const char* const TILES[] = {"preto", "parede", "chao", "chaoX", "chao2", "chaoX2",
                             "azul",  "box",    "boxVerde", "box2", "boxVerm"};

int diferencas(BITMAP* a, BITMAP* b) {
    int n = 0;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x) n += getpixel(a, x, y) != getpixel(b, x, y);
    return n;
}

TEST(Pecas, EveryTileIsFortyByFortyAndFullyOpaque) {
    for (const char* nome : TILES) {
        SCOPED_TRACE(nome);
        Bitmap b = carregaBmp(std::string("img/mapa/") + nome + ".bmp");
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->w, 40);
        EXPECT_EQ(b->h, 40);
        int buracos = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) buracos += magenta(b.get(), x, y);
        EXPECT_EQ(buracos, 0);
    }
}

TEST(Pecas, TargetsAndPlacedBoxesStandOutFromTheirPlainPictures) {
    const char* pares[][2] = {{"chao", "chaoX"},  {"chao2", "chaoX2"}, {"box", "boxVerde"},
                              {"box2", "boxVerm"}, {"chao", "chao2"},  {"box", "box2"},
                              {"chao", "parede"}, {"chao2", "parede"}};
    for (auto& p : pares) {
        SCOPED_TRACE(std::string(p[0]) + " / " + p[1]);
        Bitmap a = carregaBmp(std::string("img/mapa/") + p[0] + ".bmp");
        Bitmap b = carregaBmp(std::string("img/mapa/") + p[1] + ".bmp");
        ASSERT_TRUE(a && b);
        EXPECT_GT(diferencas(a.get(), b.get()), 40 * 40 / 4);
    }
}

// The game draws the hero at (40x + 9, 40y + 2): column 11 of his picture
// is the middle of the cell and row 37 the cell's last row.
TEST(Heroi, FourViewsFitTheCellCentredAndStandingOnTheFloor) {
    for (const char* nome : {"zepFrente", "zepCosta", "zepDireita", "zepEsquerda"}) {
        SCOPED_TRACE(nome);
        Bitmap b = carregaGif(std::string("img/") + nome + ".gif");
        ASSERT_NE(b, nullptr);
        EXPECT_LE(b->w, 31);
        EXPECT_LE(b->h, 38);
        Caixa c = opacos(b.get());
        ASSERT_GE(c.x1, c.x0);
        double meio = (c.x0 + c.x1) / 2.0;
        EXPECT_NEAR(meio, 11.0, 1.0);
        EXPECT_GE(c.y1, 35);
        EXPECT_LE(c.y1, 37);
        EXPECT_LE(9 + c.x1, 39);  // inside its own cell
        EXPECT_GE(c.y1 - c.y0, 28);  // tall enough to read at a glance
    }
}

TEST(Heroi, ViewsAreDistinctAndLeftMirrorsRight) {
    Bitmap frente = carregaGif("img/zepFrente.gif"), costas = carregaGif("img/zepCosta.gif");
    Bitmap direita = carregaGif("img/zepDireita.gif"), esquerda = carregaGif("img/zepEsquerda.gif");
    ASSERT_TRUE(frente && costas && direita && esquerda);
    EXPECT_GT(diferencas(frente.get(), costas.get()), 20);
    EXPECT_GT(diferencas(frente.get(), direita.get()), 20);
    ASSERT_EQ(direita->w, esquerda->w);
    int assimetrias = 0;
    for (int y = 0; y < direita->h; ++y)
        for (int x = 0; x < direita->w; ++x)
            assimetrias += getpixel(direita.get(), x, y) != getpixel(esquerda.get(), direita->w - 1 - x, y);
    EXPECT_EQ(assimetrias, 0);
}

// Undo and restart: not hovered at one corner, hovered at another, the
// same rectangle reacting to the mouse.
TEST(BotoesDaFase, PicturesCoverTheirHitRectanglesAndStayNearThem) {
    struct Caso {
        const char* arquivo;
        int x, y;            // where the game draws it
        int hx0, hy0, hx1, hy1;  // the hit rectangle
    };
    const Caso casos[] = {{"img/voltar2.gif", 100, 50, 100, 55, 135, 80}, {"img/voltar.gif", 102, 52, 100, 55, 135, 80},
                          {"img/replay2.gif", 55, 50, 55, 55, 90, 80},    {"img/replay.gif", 57, 51, 55, 55, 90, 80}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.arquivo);
        Bitmap b = carregaGif(c.arquivo);
        ASSERT_NE(b, nullptr);
        int dentro = 0, fora = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) {
                if (magenta(b.get(), x, y)) continue;
                int sx = c.x + x, sy = c.y + y;
                bool perto = sx >= c.hx0 - 3 && sx <= c.hx1 + 3 && sy >= c.hy0 - 6 && sy <= c.hy1 + 3;
                bool acerta = sx >= c.hx0 && sx <= c.hx1 && sy >= c.hy0 && sy <= c.hy1;
                fora += !perto;
                dentro += acerta;
            }
        EXPECT_EQ(fora, 0);
        int area = (c.hx1 - c.hx0 + 1) * (c.hy1 - c.hy0 + 1);
        EXPECT_GT(dentro, area * 8 / 10);
    }
}

}  // namespace
