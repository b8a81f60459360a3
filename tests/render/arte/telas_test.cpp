// Menu backgrounds, lit pictures, padlocks, the new-game dialog and the
// level-complete picture against the places the game draws them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "apoio_arte.h"
#include "fontes_arte.h"

namespace {

struct Area {
    const char* nome;
    int x0, y0, x1, y1;  // the game's inclusive hit rectangle
};

// The areas the game's screens react to.
const Area AREAS[] = {
    {"jogar", 335, 350, 465, 390}, {"sair", 340, 460, 445, 500},     {"fase1", 35, 70, 180, 215},
    {"fase2", 181, 70, 357, 215},  {"fase3", 358, 70, 570, 215},     {"fase4", 570, 60, 755, 215},
    {"fase5", 5, 270, 178, 420},   {"fase6", 178, 270, 368, 420},    {"fase7", 385, 270, 530, 420},
    {"fase8", 560, 270, 756, 420}, {"setaDir", 400, 508, 448, 526}, {"novo", 40, 550, 145, 565},
    {"fase9", 275, 150, 530, 343}, {"bonus", 695, 525, 780, 570},   {"setaEsq", 340, 508, 388, 526},
    {"sim", 300, 338, 342, 360},   {"nao", 450, 338, 500, 360},
};

Layout layout() { return leLayout(std::string(ZEPKO_ARTE_DADOS) + "/layout.txt"); }

// Soft edges blended against the mask colour would show as pink fringes.
TEST(Telas, NoPictureHasPinkFringes) {
    for (const char* nome :
         {"img/ZepkoLogo.bmp", "img/x.bmp", "img/stgs.bmp", "img/setaDir.bmp", "img/setaDir2.bmp", "img/novo jogo.bmp",
          "img/cadeado.gif", "img/telaNovoJogo.bmp", "img/sim.bmp", "img/nao.bmp", "img/stgs2.bmp", "img/bonus.bmp",
          "img/setaEsq.bmp", "img/setaEsq2.bmp", "img/zepFrente.gif", "img/zepCosta.gif", "img/zepDireita.gif",
          "img/zepEsquerda.gif", "img/voltar.gif", "img/voltar2.gif", "img/replay.gif", "img/replay2.gif",
          "img/parabens.bmp"}) {
        SCOPED_TRACE(nome);
        std::string n(nome);
        Bitmap b = n.compare(n.size() - 4, 4, ".gif") == 0 ? carregaGif(n) : carregaBmp(n);
        ASSERT_NE(b, nullptr);
        int rosados = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) {
                Rgb c = pixel(b.get(), x, y);
                bool quaseMagenta = c.r > c.g + 60 && c.b > c.g + 60 && std::abs(c.r - c.b) < 60;
                rosados += quaseMagenta && !(c == Rgb{255, 0, 255});
            }
        EXPECT_EQ(rosados, 0);
    }
}

TEST(Telas, BackgroundsFillTheScreen) {
    for (const char* nome : {"img/ZepkoLogo.bmp", "img/stgs.bmp", "img/stgs2.bmp"}) {
        Bitmap b = carregaBmp(nome);
        ASSERT_NE(b, nullptr) << nome;
        EXPECT_EQ(b->w, 800) << nome;
        EXPECT_EQ(b->h, 600) << nome;
    }
}

TEST(Telas, EveryButtonFaceLiesInsideTheAreaThatReactsToIt) {
    Layout l = layout();
    for (const Area& a : AREAS) {
        SCOPED_TRACE(a.nome);
        const auto& f = campo(l, a.nome, 4);
        EXPECT_GE(f[0], a.x0);
        EXPECT_GE(f[1], a.y0);
        EXPECT_LE(f[2], a.x1);
        EXPECT_LE(f[3], a.y1);
        // and fills most of it, so the whole area looks clickable
        EXPECT_GT((f[2] - f[0] + 1) * (f[3] - f[1] + 1), (a.x1 - a.x0 + 1) * (a.y1 - a.y0 + 1) * 3 / 4);
    }
}

struct Acesa {
    const char* arquivo;
    const char* fundo;   // what the game has drawn under it
    int x, y;            // where the game draws it
    int ax0, ay0, ax1, ay1;  // the area it lights
};

const Acesa ACESAS[] = {
    {"img/x.bmp", "img/ZepkoLogo.bmp", 285, 355, 335, 350, 465, 390},
    {"img/x.bmp", "img/ZepkoLogo.bmp", 285, 465, 340, 460, 445, 500},
    {"img/setaDir2.bmp", "img/stgs.bmp", 390, 495, 400, 508, 448, 526},
    {"img/novo jogo.bmp", "img/stgs.bmp", 35, 545, 40, 550, 145, 565},
    {"img/bonus.bmp", "img/stgs2.bmp", 690, 520, 695, 525, 780, 570},
    {"img/setaEsq2.bmp", "img/stgs2.bmp", 330, 495, 340, 508, 388, 526},
};

// A lit picture must line up with the art under it: its rim matches the
// background there, and what it changes lies at its button.
TEST(Telas, LitPicturesLineUpWithTheArtUnderThem) {
    for (const Acesa& a : ACESAS) {
        SCOPED_TRACE(std::string(a.arquivo) + " at " + std::to_string(a.x) + "," + std::to_string(a.y));
        Bitmap fundo = carregaBmp(a.fundo), acesa = carregaBmp(a.arquivo);
        ASSERT_TRUE(fundo && acesa);
        Bitmap tela(create_bitmap(800, 600));
        blit(fundo.get(), tela.get(), 0, 0, 0, 0, 800, 600);
        draw_sprite(tela.get(), acesa.get(), a.x, a.y);
        int bordaDiferente = 0, mudados = 0, longe = 0;
        for (int y = a.y; y < a.y + acesa->h; ++y)
            for (int x = a.x; x < a.x + acesa->w; ++x) {
                bool mudou = getpixel(tela.get(), x, y) != getpixel(fundo.get(), x, y);
                bool borda = x == a.x || y == a.y || x == a.x + acesa->w - 1 || y == a.y + acesa->h - 1;
                bordaDiferente += borda && mudou;
                mudados += mudou;
                // the marker of the title screen stands left of its button
                bool perto = x >= std::min(a.ax0, a.x) - 6 && x <= a.ax1 + 6 && y >= a.ay0 - 6 && y <= a.ay1 + 6;
                longe += mudou && !perto;
            }
        EXPECT_EQ(bordaDiferente, 0);
        EXPECT_EQ(longe, 0);
        EXPECT_GT(mudados, 150);  // it visibly lights
    }
}

TEST(Telas, RestingArrowsMatchTheBackgroundUnderThem) {
    struct Seta {
        const char* arquivo;
        const char* fundo;
        int x, y;
    };
    for (const Seta& s : {Seta{"img/setaDir.bmp", "img/stgs.bmp", 390, 495}, Seta{"img/setaEsq.bmp", "img/stgs2.bmp", 330, 495}}) {
        SCOPED_TRACE(s.arquivo);
        Bitmap f = carregaBmp(s.fundo), seta = carregaBmp(s.arquivo), acesa = carregaBmp(std::string(s.arquivo).insert(11, "2"));
        ASSERT_TRUE(f && seta && acesa);
        int diferentes = 0, acesas = 0;
        for (int y = 0; y < seta->h; ++y)
            for (int x = 0; x < seta->w; ++x) {
                diferentes += getpixel(seta.get(), x, y) != getpixel(f.get(), s.x + x, s.y + y);
                acesas += getpixel(seta.get(), x, y) != getpixel(acesa.get(), x, y);
            }
        EXPECT_EQ(diferentes, 0);
        EXPECT_GT(acesas, 100);
    }
}

// A locked level's padlock covers the play mark of its caption slot, and
// sits on the caption plate, not on the level's picture.
TEST(Telas, PadlocksCoverThePlayMarkOfTheirSlot) {
    struct Cadeado {
        const char* fundo;
        int x, y;
    };
    const Cadeado cadeados[] = {{"img/stgs.bmp", 220, 220}, {"img/stgs.bmp", 415, 220}, {"img/stgs.bmp", 629, 220},
                                {"img/stgs.bmp", 55, 429},  {"img/stgs.bmp", 220, 429}, {"img/stgs.bmp", 415, 429},
                                {"img/stgs.bmp", 629, 429}, {"img/stgs2.bmp", 360, 346}};
    Bitmap cadeado = carregaGif("img/cadeado.gif");
    ASSERT_NE(cadeado, nullptr);
    auto verde = [](Rgb c) { return c.g > c.r + 40 && c.g > c.b + 40; };
    for (const Cadeado& c : cadeados) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        Bitmap fundo = carregaBmp(c.fundo);
        ASSERT_NE(fundo, nullptr);
        int marcaAntes = 0, marcaDepois = 0;
        for (int y = c.y; y < c.y + cadeado->h; ++y)
            for (int x = c.x; x < c.x + cadeado->w; ++x) marcaAntes += verde(pixel(fundo.get(), x, y));
        draw_sprite(fundo.get(), cadeado.get(), c.x, c.y);
        for (int y = c.y - 2; y < c.y + cadeado->h + 2; ++y)
            for (int x = c.x - 2; x < c.x + cadeado->w + 2; ++x) marcaDepois += verde(pixel(fundo.get(), x, y));
        EXPECT_GT(marcaAntes, 20);
        EXPECT_EQ(marcaDepois, 0);
    }
    Layout l = layout();
    for (int n = 2; n <= 9; ++n) {
        const auto& slot = campo(l, "legenda" + std::to_string(n), 2);
        EXPECT_EQ(slot[0], cadeados[n - 2].x) << n;
        EXPECT_EQ(slot[1], cadeados[n - 2].y) << n;
    }
}

// The game draws the box, then the question at (280, 225), then three lines
// at y 309..311 from x 270 to 530, then the lit yes/no over it.
TEST(Dialogo, QuestionFitsTheBoxAndLeavesRoomForTheLines) {
    Bitmap q = carregaBmp("img/telaNovoJogo.bmp");
    ASSERT_NE(q, nullptr);
    EXPECT_GE(280 + q->w - 1, 400);   // reaches the middle
    EXPECT_LE(280 + q->w - 1, 571);
    EXPECT_LE(225 + q->h - 1, 386);
    int sobLinhas = 0;
    for (int y = 309; y <= 311; ++y)
        for (int x = 280; x < 280 + q->w && x <= 530; ++x) sobLinhas += !(pixel(q.get(), x - 280, y - 225) == Rgb{0, 0, 0});
    EXPECT_EQ(sobLinhas, 0);

    Bitmap tela(create_bitmap(800, 600));
    clear_to_color(tela.get(), makecol(0, 0, 0));
    draw_sprite(tela.get(), q.get(), 280, 225);
    struct Botao {
        const char* arquivo;
        int x, y, ax0, ay0, ax1, ay1;
    };
    for (const Botao& b : {Botao{"img/sim.bmp", 300, 335, 300, 338, 342, 360}, Botao{"img/nao.bmp", 450, 332, 450, 338, 500, 360}}) {
        SCOPED_TRACE(b.arquivo);
        Bitmap lit = carregaBmp(b.arquivo);
        ASSERT_NE(lit, nullptr);
        int borda = 0, mudados = 0, dentro = 0;
        for (int y = 0; y < lit->h; ++y)
            for (int x = 0; x < lit->w; ++x) {
                bool mudou = getpixel(lit.get(), x, y) != getpixel(tela.get(), b.x + x, b.y + y);
                borda += mudou && (x == 0 || y == 0 || x == lit->w - 1 || y == lit->h - 1);
                mudados += mudou;
                int sx = b.x + x, sy = b.y + y;
                dentro += mudou && sx >= b.ax0 && sx <= b.ax1 && sy >= b.ay0 && sy <= b.ay1;
            }
        EXPECT_EQ(borda, 0);
        EXPECT_GT(mudados, 100);
        EXPECT_GT(dentro, mudados / 2);
        EXPECT_LT(b.y + lit->h - 1, 386);
        EXPECT_GT(b.y, 311);
    }
}

TEST(Parabens, FitsThePanelAboveItsDividerOnBlack) {
    Bitmap p = carregaBmp("img/parabens.bmp");
    ASSERT_NE(p, nullptr);
    EXPECT_GE(280, 171);
    EXPECT_LE(280 + p->w - 1, 629);
    EXPECT_LE(100 + p->h - 1, 213);
    EXPECT_EQ(280 + p->w / 2, 400);  // centred in the panel
    int bordaClara = 0, tinta = 0;
    for (int y = 0; y < p->h; ++y)
        for (int x = 0; x < p->w; ++x) {
            bool preto = pixel(p.get(), x, y) == Rgb{0, 0, 0};
            tinta += !preto;
            bordaClara += !preto && (x == 0 || y == 0 || x == p->w - 1 || y == p->h - 1);
        }
    EXPECT_EQ(bordaClara, 0);
    EXPECT_GT(tinta, 1000);
}

}  // namespace
