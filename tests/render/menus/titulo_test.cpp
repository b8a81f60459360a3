#include <vector>

#include "tela_menu.h"
#include "menus/titulo.h"
#include "screen/cursor.h"
#include "shell/globais.h"

namespace {

class Titulo : public TelaMenu {
protected:
    void SetUp() override {
        TelaMenu::SetUp();
        FecharJogo = 0;
        figuras = {fundo.get(), destaque.get(), nullptr};
    }
    void TearDown() override { FecharJogo = 0; }
    // Runs one frame into a fresh target and returns it.
    Bitmap quadro() {
        Bitmap alvo = tela();
        quadroTitulo(alvo.get(), estado, figuras, entrada, acoes);
        return alvo;
    }
    int cinzaCredito() const { return makecol(150, 150, 150); }
    // Leftmost column of credit-coloured pixels in the bar, or -1.
    int inicioCredito(BITMAP* alvo) const {
        for (int x = 0; x < 800; ++x)
            for (int y = 585; y < 593; ++y)
                if (getpixel(alvo, x, y) == cinzaCredito()) return x;
        return -1;
    }

    Bitmap destaque = bloco(16, 16, 250, 200, 0);
    FigurasTitulo figuras{};
    EstadoTitulo estado;
    Acoes acoes;
};

TEST_F(Titulo, HighlightFollowsInclusiveButtonRangesAtTheSameX) {
    struct Caso {
        int x, y;
        bool jogar, sair;
    };
    const Caso casos[] = {
        {335, 350, true, false}, {334, 350, false, false}, {335, 349, false, false},
        {465, 390, true, false}, {466, 390, false, false}, {465, 391, false, false},
        {340, 460, false, true}, {445, 500, false, true},  {339, 460, false, false},
        {446, 500, false, false}, {340, 459, false, false}, {445, 501, false, false},
    };
    const int aceso = makecol(250, 200, 0);
    for (const Caso& c : casos) {
        mouse(c.x, c.y);
        Bitmap alvo = quadro();
        SCOPED_TRACE(::testing::Message() << "mouse at " << c.x << "," << c.y);
        EXPECT_EQ(getpixel(alvo.get(), 285, 355) == aceso, c.jogar);
        EXPECT_EQ(getpixel(alvo.get(), 285, 465) == aceso, c.sair);
        // Nothing of the highlight to the left of x 285.
        EXPECT_NE(getpixel(alvo.get(), 284, 355), aceso);
        EXPECT_NE(getpixel(alvo.get(), 284, 465), aceso);
    }
}

TEST_F(Titulo, CreditGlidesBetweenZeroAndTheRightTurnSkippingOneOnTheWayUp) {
    std::vector<int> x;
    for (int i = 0; i < 445 * 3; ++i) x.push_back(avancaCredito(estado));

    EXPECT_EQ(x[0], 222);
    EXPECT_EQ(x[1], 221);
    EXPECT_EQ(x[2], 220);
    EXPECT_EQ(x[222], 0);
    EXPECT_EQ(x[223], 2);
    EXPECT_EQ(x[443], 222);
    EXPECT_EQ(x[444], 223);
    for (size_t i = 0; i + 445 < x.size(); ++i) ASSERT_EQ(x[i], x[i + 445]) << "frame " << i;

    int uns = 0;
    for (int i = 0; i < 445; ++i) {
        EXPECT_GE(x[i], 0);
        EXPECT_LE(x[i], 223);
        if (x[i] == 1) {
            ++uns;
            EXPECT_EQ(x[i - 1], 2);  // on the way down
        }
    }
    EXPECT_EQ(uns, 1);
}

TEST_F(Titulo, FrameDrawsTheCreditOnTheDarkBarAtTheCurrentPosition) {
    // Where the first glyph's ink starts when the text is drawn at x 0.
    Bitmap amostra = tela();
    textprintf_ex(amostra.get(), font, 0, 585, cinzaCredito(), -1, "%s", TEXTO_CREDITO);
    const int recuo = inicioCredito(amostra.get());
    ASSERT_GE(recuo, 0);

    mouse(600, 100);
    for (int esperado : {222, 221, 220}) {
        Bitmap alvo = quadro();
        EXPECT_EQ(inicioCredito(alvo.get()), esperado + recuo);
        EXPECT_EQ(getpixel(alvo.get(), 799, 582), makecol(30, 30, 30));
        EXPECT_EQ(getpixel(alvo.get(), 799, 595), makecol(30, 30, 30));
        EXPECT_EQ(getpixel(alvo.get(), 799, 581), makecol(0, 0, 90));
        EXPECT_EQ(getpixel(alvo.get(), 799, 596), makecol(0, 0, 90));
    }
}

TEST_F(Titulo, CreditTextIsOneLineWithoutFormatCharacters) {
    std::string texto = TEXTO_CREDITO;
    EXPECT_EQ(texto.find('%'), std::string::npos);
    EXPECT_EQ(texto.find('\n'), std::string::npos);
    // The longest line that still fits at x 223.
    EXPECT_LE(223 + text_length(font, TEXTO_CREDITO), 800);
}

TEST_F(Titulo, HoldingLOpensEveryLevelInMemoryOnly) {
    mapaLiberado = 3;
    quadro();
    EXPECT_EQ(mapaLiberado, 3);
    teclas[KEY_L] = 1;
    quadro();
    EXPECT_EQ(mapaLiberado, 10);
    EXPECT_FALSE(existe("save.bin"));
}

// A press still held when the first page returns is not a click on exit.
TEST_F(Titulo, PressHeldBackFromTheFirstPageNeedsAReleaseToQuit) {
    int chamadas = 0;
    acoes.fases = [&] {
        ++chamadas;
        ++aparicoesDeTela;  // as the page's frame loop counts
        mouse(400, 480, true);
    };
    mouse(400, 370, true);
    quadro();
    quadro();
    EXPECT_EQ(chamadas, 1);
    EXPECT_EQ(FecharJogo, 0);
    mouse(400, 480);
    quadro();
    mouse(400, 480, true);
    quadro();
    EXPECT_EQ(FecharJogo, 1);
}

TEST_F(Titulo, ExitSetsTheQuitFlagAndTheFrameStillEnds) {
    acoes.fases = [] { FAIL() << "play must not open"; };
    Bitmap cursor(makeCursor());
    figuras.cursor = cursor.get();
    mouse(340, 460, true);
    Bitmap alvo = quadro();
    EXPECT_EQ(FecharJogo, 1);
    // Bar and cursor are still drawn after the click.
    EXPECT_EQ(getpixel(alvo.get(), 799, 590), makecol(30, 30, 30));
    EXPECT_EQ(getpixel(alvo.get(), 340, 460), makecol(0, 100, 0));
}

TEST_F(Titulo, MissingPicturesDrawNothingAndDoNotCrash) {
    figuras = {nullptr, nullptr, nullptr};
    mouse(335, 350);
    Bitmap alvo = quadro();
    EXPECT_EQ(getpixel(alvo.get(), 10, 10), fundoCor);
    EXPECT_EQ(getpixel(alvo.get(), 285, 355), fundoCor);
}

}  // namespace
