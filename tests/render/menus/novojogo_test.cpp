#include <vector>

#include "tela_menu.h"
#include "menus/novojogo.h"

namespace {

class NovoJogo : public TelaMenu {
protected:
    void SetUp() override {
        TelaMenu::SetUp();
        figuras = {pergunta.get(), sim.get(), nao.get()};
        estado.aberto = true;
        buffer = tela();
        // Stands in for an update method that keeps one buffer: every step
        // after the first is drawn over what the buffer already holds.
        acoes.apresenta = [&](BITMAP*& alvo) {
            ++passos;
            if (passos == 1) primeiroPasso = copia(alvo);
            alvo = buffer.get();
        };
    }
    static Bitmap copia(BITMAP* b) {
        Bitmap c(create_bitmap(b->w, b->h));
        blit(b, c.get(), 0, 0, 0, 0, b->w, b->h);
        return c;
    }
    // One frame of the box; returns the bitmap the frame ended in.
    BITMAP* quadro() {
        alvo = tela();
        BITMAP* t = alvo.get();
        quadroNovoJogo(t, estado, figuras, entrada, acoes);
        return t;
    }

    Bitmap buffer;
    Bitmap alvo;
    Bitmap primeiroPasso;
    FigurasNovoJogo figuras{};
    EstadoNovoJogo estado;
    Acoes acoes;
    int passos = 0;
};

TEST_F(NovoJogo, OpeningGrowsTheBoxInOneHundredSeventyOneShownSteps) {
    mouse(790, 590);
    BITMAP* fim = quadro();
    EXPECT_EQ(passos, 171);
    EXPECT_FALSE(estado.animar);
    EXPECT_EQ(estado.w, 171);
    EXPECT_EQ(estado.h, 86);
    EXPECT_EQ(fim, buffer.get());

    // First step: w 0, h 1, drawn on the page's own target.
    BITMAP* p = primeiroPasso.get();
    EXPECT_EQ(getpixel(p, 400, 299), makecol(255, 255, 255));
    EXPECT_EQ(getpixel(p, 400, 301), makecol(255, 255, 255));
    EXPECT_EQ(getpixel(p, 401, 300), makecol(200, 200, 200));
    EXPECT_EQ(getpixel(p, 399, 298), makecol(200, 200, 200));
    EXPECT_EQ(getpixel(p, 398, 297), makecol(150, 150, 150));
    EXPECT_EQ(getpixel(p, 402, 303), makecol(150, 150, 150));
    EXPECT_EQ(getpixel(p, 403, 303), fundoCor);
    EXPECT_EQ(getpixel(p, 402, 304), fundoCor);

    // The rest went over the buffer without clearing it.
    EXPECT_EQ(getpixel(fim, 10, 10), fundoCor);
    EXPECT_EQ(getpixel(fim, 226, 300), fundoCor);

    // The next frames only draw the box.
    passos = 0;
    quadro();
    EXPECT_EQ(passos, 0);
}

TEST_F(NovoJogo, FinalBoxHasItsOutlinesQuestionAndDivider) {
    mouse(790, 590);
    estado.animar = false;
    estado.w = 171;
    estado.h = 86;
    BITMAP* t = quadro();
    const int preto = makecol(0, 0, 0), branco = makecol(255, 255, 255),
              cinza200 = makecol(200, 200, 200), cinza150 = makecol(150, 150, 150);
    for (auto [x, y] : {std::pair{229, 214}, {571, 214}, {229, 386}, {571, 386}, {400, 214}})
        EXPECT_EQ(getpixel(t, x, y), branco) << x << "," << y;
    EXPECT_EQ(getpixel(t, 230, 215), preto);
    EXPECT_EQ(getpixel(t, 570, 385), preto);
    EXPECT_EQ(getpixel(t, 228, 213), cinza200);
    EXPECT_EQ(getpixel(t, 572, 387), cinza200);
    EXPECT_EQ(getpixel(t, 227, 212), cinza150);
    EXPECT_EQ(getpixel(t, 573, 388), cinza150);
    EXPECT_EQ(getpixel(t, 226, 211), fundoCor);
    EXPECT_EQ(getpixel(t, 574, 389), fundoCor);

    EXPECT_EQ(getpixel(t, 280, 225), makecol(90, 0, 90));
    EXPECT_EQ(getpixel(t, 279, 225), preto);

    for (int x : {270, 400, 530}) {
        EXPECT_EQ(getpixel(t, x, 309), cinza150);
        EXPECT_EQ(getpixel(t, x, 310), branco);
        EXPECT_EQ(getpixel(t, x, 311), cinza150);
    }
    EXPECT_EQ(getpixel(t, 269, 310), preto);
    EXPECT_EQ(getpixel(t, 531, 310), preto);
    EXPECT_EQ(getpixel(t, 400, 308), preto);
    EXPECT_EQ(getpixel(t, 400, 312), preto);
}

TEST_F(NovoJogo, YesAndNoLightOnlyOverTheirRanges) {
    estado.animar = false;
    estado.w = 171;
    estado.h = 86;
    struct Caso {
        int x, y;
        bool sim, nao;
    };
    for (Caso c : {Caso{300, 338, true, false}, {342, 360, true, false}, {299, 338, false, false},
                   {343, 350, false, false}, {450, 338, false, true}, {500, 360, false, true},
                   {449, 350, false, false}, {501, 350, false, false}, {320, 337, false, false},
                   {480, 361, false, false}}) {
        mouse(c.x, c.y);
        BITMAP* t = quadro();
        EXPECT_EQ(getpixel(t, 300, 335) == makecol(0, 90, 90), c.sim) << c.x << "," << c.y;
        EXPECT_EQ(getpixel(t, 450, 332) == makecol(90, 90, 0), c.nao) << c.x << "," << c.y;
    }
}

TEST_F(NovoJogo, YesResetsProgressAndWritesItAtOnce) {
    mapaLiberado = 7;
    estado.animar = false;
    mouse(320, 350, true);
    BITMAP* t = quadro();
    EXPECT_EQ(mapaLiberado, 1);
    EXPECT_EQ(bytes("save.bin"), (std::vector<unsigned char>{1, 0, 0, 0}));
    EXPECT_FALSE(estado.aberto);
    // The divider is still drawn in the closing frame.
    EXPECT_EQ(getpixel(t, 400, 310), makecol(255, 255, 255));
}

TEST_F(NovoJogo, NoClosesWithoutTouchingProgress) {
    mapaLiberado = 7;
    estado.animar = false;
    mouse(475, 350, true);
    BITMAP* t = quadro();
    EXPECT_EQ(mapaLiberado, 7);
    EXPECT_FALSE(existe("save.bin"));
    EXPECT_FALSE(estado.aberto);
    EXPECT_EQ(getpixel(t, 530, 311), makecol(150, 150, 150));
}

// Yes takes only a press that began over it: one begun on the new-game
// button, beside the box or on its text, dragged onto yes, is no click there.
TEST_F(NovoJogo, OnlyAPressBegunOverYesCounts) {
    mapaLiberado = 5;
    estado.animar = false;
    using Trajeto = std::vector<std::pair<int, int>>;
    for (const Trajeto& t : {Trajeto{{92, 557}, {320, 350}}, Trajeto{{600, 470}, {320, 350}},
                             Trajeto{{400, 250}, {380, 300}, {320, 350}}}) {
        for (auto [x, y] : t) {
            mouse(x, y, true);
            quadro();
        }
        mouse(320, 350);
        quadro();
    }
    EXPECT_EQ(mapaLiberado, 5);
    EXPECT_TRUE(estado.aberto);
    EXPECT_FALSE(existe("save.bin"));

    mouse(320, 350, true);
    quadro();
    EXPECT_EQ(mapaLiberado, 1);
}

TEST_F(NovoJogo, ClicksBesideTheButtonsAreUsedUpAndKeepTheBoxOpen) {
    mapaLiberado = 7;
    estado.animar = false;
    for (auto [x, y] : {std::pair{343, 350}, {449, 350}, {10, 10}}) {
        mouse(x, y);
        quadro();
        mouse(x, y, true);
        quadro();
        EXPECT_TRUE(estado.aberto) << x << "," << y;
    }
    EXPECT_EQ(mapaLiberado, 7);
    EXPECT_FALSE(existe("save.bin"));
}

}  // namespace
