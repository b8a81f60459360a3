#include <string>
#include <vector>

#include "tela_menu.h"
#include "menus/fases.h"

namespace {

class Fases : public TelaMenu {
protected:
    void SetUp() override {
        TelaMenu::SetUp();
        figuras = {fundo.get(),   seta.get(),
                   setaAcesa.get(), aceso.get(),
                   cadeado.get(),  {pergunta.get(), sim.get(), nao.get()},
                   nullptr};
        acoes.jogar = [&](int k) { chamadas.push_back("jogar " + std::to_string(k)); };
        acoes.fases2 = [&] { chamadas.push_back("fases2"); };
        buffer = tela();
        acoes.apresenta = [&](BITMAP*& alvo) { alvo = buffer.get(); };
    }
    Bitmap quadro() {
        Bitmap alvo = tela();
        BITMAP* t = alvo.get();
        quadroFases(t, estado, figuras, entrada, acoes);
        if (t != alvo.get()) {  // the box animated: the frame ended in the buffer
            blit(t, alvo.get(), 0, 0, 0, 0, 800, 600);
        }
        return alvo;
    }
    int branco() const { return makecol(255, 255, 255); }
    int corCadeado() const { return makecol(200, 40, 40); }
    int cadeados(BITMAP* alvo) const {
        int n = 0;
        for (const auto& p : POSICOES) n += getpixel(alvo, p.first, p.second) == corCadeado();
        return n;
    }
    // Padlock corners of levels 2..8.
    static constexpr std::pair<int, int> POSICOES[7] = {{220, 220}, {415, 220}, {629, 220},
                                                        {55, 429},  {220, 429}, {415, 429},
                                                        {629, 429}};

    Bitmap buffer;
    FigurasFases figuras{};
    EstadoFases estado;
    Acoes acoes;
    std::vector<std::string> chamadas;
};

TEST_F(Fases, PadlocksShowOnEveryLockedLevelFromTwoToEight) {
    mouse(790, 590);
    const std::pair<int, int> casos[] = {{1, 7}, {0, 7}, {-5, 7}, {2, 6}, {5, 3},
                                         {7, 1}, {8, 0}, {9, 0}, {10, 0}};
    for (auto [valor, esperados] : casos) {
        mapaLiberado = valor;
        Bitmap alvo = quadro();
        EXPECT_EQ(cadeados(alvo.get()), esperados) << "mapaLiberado " << valor;
    }
    // Which ones: with 5, levels 2..5 are open and 6..8 locked.
    mapaLiberado = 5;
    Bitmap alvo = quadro();
    EXPECT_NE(getpixel(alvo.get(), 55, 429), corCadeado());
    EXPECT_EQ(getpixel(alvo.get(), 220, 429), corCadeado());
    EXPECT_EQ(getpixel(alvo.get(), 629, 429), corCadeado());
}

TEST_F(Fases, HoverFramesFollowTheTableWhetherTheLevelIsOpenOrNot) {
    mapaLiberado = 1;
    mouse(570, 100);  // the column levels 3 and 4 share
    Bitmap alvo = quadro();
    EXPECT_EQ(getpixel(alvo.get(), 358, 70), branco());
    EXPECT_EQ(getpixel(alvo.get(), 570, 215), branco());
    EXPECT_EQ(getpixel(alvo.get(), 570, 60), branco());
    EXPECT_EQ(getpixel(alvo.get(), 755, 215), branco());

    mouse(570, 65);  // above level 3, inside level 4
    alvo = quadro();
    EXPECT_EQ(getpixel(alvo.get(), 570, 60), branco());
    EXPECT_NE(getpixel(alvo.get(), 358, 70), branco());

    mouse(178, 300);  // the column levels 5 and 6 share
    alvo = quadro();
    EXPECT_EQ(getpixel(alvo.get(), 5, 270), branco());
    EXPECT_EQ(getpixel(alvo.get(), 368, 420), branco());
}

TEST_F(Fases, GapsBetweenLevelsReactToNothing) {
    mapaLiberado = 10;
    for (auto [x, y] : {std::pair{35, 69}, {34, 100}, {756, 100}, {369, 300}, {540, 300},
                        {100, 216}, {100, 269}, {757, 300}, {300, 421}}) {
        mouse(x, y, true);
        Bitmap alvo = quadro();
        for (int yy = 0; yy < 600; yy += 1)
            for (int xx = 0; xx < 800; xx += 1)
                ASSERT_NE(getpixel(alvo.get(), xx, yy), branco()) << "at " << x << "," << y;
    }
    EXPECT_TRUE(chamadas.empty());
}

TEST_F(Fases, ClickOnTheSharedColumnStartsLevelThreeThenTestsLevelFour) {
    mapaLiberado = 4;
    mouse(570, 100, true);
    quadro();
    EXPECT_EQ(chamadas, (std::vector<std::string>{"jogar 3", "jogar 4"}));

    // Level 4's test sees the mouse as it is when level 3 returns.
    chamadas.clear();
    acoes.jogar = [&](int k) {
        chamadas.push_back("jogar " + std::to_string(k));
        mouse(100, 100);
    };
    mouse(570, 100, true);
    quadro();
    EXPECT_EQ(chamadas, (std::vector<std::string>{"jogar 3"}));
}

TEST_F(Fases, LockedLevelsIgnoreClicks) {
    mapaLiberado = 3;
    mouse(570, 100, true);
    quadro();
    EXPECT_EQ(chamadas, (std::vector<std::string>{"jogar 3"}));
    chamadas.clear();
    mouse(600, 65, true);  // level 4 only, locked
    quadro();
    mouse(100, 300, true);  // level 5, locked
    quadro();
    EXPECT_TRUE(chamadas.empty());
    mouse(100, 100, true);  // level 1 is open even at 0
    mapaLiberado = 0;
    quadro();
    EXPECT_EQ(chamadas, (std::vector<std::string>{"jogar 1"}));
}

TEST_F(Fases, ArrowLightsAndOpensTheSecondPage) {
    mouse(399, 508, true);
    Bitmap alvo = quadro();
    EXPECT_EQ(getpixel(alvo.get(), 390, 495), makecol(0, 150, 0));
    EXPECT_TRUE(chamadas.empty());

    mouse(448, 526, true);
    alvo = quadro();
    EXPECT_EQ(getpixel(alvo.get(), 390, 495), makecol(0, 250, 0));
    EXPECT_EQ(chamadas, (std::vector<std::string>{"fases2"}));
}

TEST_F(Fases, NewGameButtonLightsAndOpensTheBox) {
    mouse(39, 550);
    Bitmap alvo = quadro();
    EXPECT_NE(getpixel(alvo.get(), 35, 545), makecol(250, 250, 0));
    mouse(145, 565);
    alvo = quadro();
    EXPECT_EQ(getpixel(alvo.get(), 35, 545), makecol(250, 250, 0));
    EXPECT_FALSE(estado.novoJogo.aberto);
    mouse(145, 565, true);
    quadro();
    EXPECT_TRUE(estado.novoJogo.aberto);
}

TEST_F(Fases, EveryOpeningOfTheBoxGrowsItAgain) {
    int passos = 0;
    acoes.apresenta = [&](BITMAP*& alvo) {
        ++passos;
        alvo = buffer.get();
    };
    for (int vez = 0; vez < 2; ++vez) {
        passos = 0;
        mouse(90, 557, true);  // new game
        quadro();
        EXPECT_EQ(passos, 171) << "opening " << vez;
        quadro();  // open, already grown
        EXPECT_EQ(passos, 171);
        mouse(475, 350);  // let go, then press on no
        quadro();
        mouse(475, 350, true);
        quadro();
        EXPECT_FALSE(estado.novoJogo.aberto);
        mouse(600, 500);
        quadro();  // a closed frame arms the animation again
    }
}

TEST_F(Fases, OpenBoxTurnsLevelButtonsOffButNotTheArrow) {
    mapaLiberado = 10;
    estado.novoJogo.aberto = true;
    mouse(100, 100, true);  // level 1
    Bitmap alvo = quadro();
    EXPECT_TRUE(chamadas.empty());
    EXPECT_NE(getpixel(alvo.get(), 35, 70), branco());
    EXPECT_TRUE(estado.novoJogo.aberto);  // an outside click is used up

    mouse(420, 515);
    mouse(420, 515, true);
    quadro();
    EXPECT_EQ(chamadas, (std::vector<std::string>{"fases2"}));
    EXPECT_TRUE(estado.novoJogo.aberto);
}

// No lies over level 7: the press that closes the box, moved while held,
// does not start the level.
TEST_F(Fases, PressOnNoStartsNoLevelBeneath) {
    mapaLiberado = 10;
    estado.novoJogo.aberto = true;
    estado.novoJogo.animar = false;
    mouse(475, 350, true);
    quadro();
    EXPECT_FALSE(estado.novoJogo.aberto);
    mouse(477, 350, true);
    quadro();
    EXPECT_TRUE(chamadas.empty());
}

TEST_F(Fases, PadlocksStayVisibleWhileTheBoxIsOpen) {
    mapaLiberado = 1;
    estado.novoJogo.aberto = true;
    estado.novoJogo.animar = false;
    estado.novoJogo.w = 171;
    estado.novoJogo.h = 86;
    mouse(790, 590);
    Bitmap alvo = quadro();
    // Level 3's padlock lies under the box, which is drawn after the padlocks.
    EXPECT_EQ(cadeados(alvo.get()), 6);
    EXPECT_EQ(getpixel(alvo.get(), 415, 220), makecol(0, 0, 0));
}

TEST_F(Fases, MissingPicturesDrawNothingAndDoNotCrash) {
    figuras = {nullptr, nullptr, nullptr, nullptr, nullptr, {nullptr, nullptr, nullptr}, nullptr};
    mapaLiberado = 1;
    mouse(100, 555, true);
    Bitmap alvo = quadro();
    EXPECT_EQ(getpixel(alvo.get(), 220, 220), fundoCor);
    EXPECT_EQ(getpixel(alvo.get(), 400, 300), makecol(0, 0, 0));  // the box itself is drawn
}

}  // namespace
