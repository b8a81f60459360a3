#include <string>
#include <vector>

#include "tela_menu.h"
#include "menus/fases2.h"

namespace {

class Fases2 : public TelaMenu {
protected:
    void SetUp() override {
        TelaMenu::SetUp();
        figuras = {fundo.get(),     aceso.get(),   seta.get(),
                   setaAcesa.get(), cadeado.get(), nullptr};
        acoes.jogar = [&](int k) { chamadas.push_back("jogar " + std::to_string(k)); };
        acoes.mensagem = [&](const char* t) { chamadas.push_back(std::string("mensagem ") + t); };
    }
    Bitmap quadro() {
        Bitmap alvo = tela();
        quadroFases2(alvo.get(), estado, figuras, entrada, acoes);
        return alvo;
    }

    FigurasFases2 figuras{};
    EstadoFases2 estado;
    Acoes acoes;
    std::vector<std::string> chamadas;
    const std::string MENSAGEM =
        "mensagem Voc\xEA precisa completar todos os outros n\xEDveis para habilitar a fase "
        "b\xF4nus !!! ";
};

TEST_F(Fases2, LocksFollowTheProgress) {
    struct Caso {
        int mapa;
        bool cadeado;
        std::vector<std::string> nove, bonus;
    };
    const std::string msg = MENSAGEM;
    const Caso casos[] = {
        {1, true, {}, {msg}},
        {8, true, {}, {msg}},
        {9, false, {"jogar 9"}, {msg}},
        {10, false, {"jogar 9"}, {"jogar 10"}},
        {11, false, {"jogar 9"}, {"jogar 10"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(::testing::Message() << "mapaLiberado " << c.mapa);
        mapaLiberado = c.mapa;
        mouse(790, 20);
        Bitmap alvo = quadro();
        EXPECT_EQ(getpixel(alvo.get(), 360, 346) == makecol(200, 40, 40), c.cadeado);

        chamadas.clear();
        mouse(275, 150, true);
        quadro();
        EXPECT_EQ(chamadas, c.nove);

        chamadas.clear();
        mouse(780, 570, true);
        quadro();
        EXPECT_EQ(chamadas, c.bonus);
    }
}

TEST_F(Fases2, ButtonRangesAreInclusive) {
    mapaLiberado = 10;
    for (auto [x, y] : {std::pair{274, 150}, {531, 343}, {275, 149}, {530, 344}, {694, 525},
                        {781, 570}, {695, 524}, {780, 571}, {339, 508}, {389, 526}, {340, 507},
                        {388, 527}}) {
        mouse(x, y, true);
        quadro();
        EXPECT_FALSE(estado.sair) << x << "," << y;
    }
    EXPECT_TRUE(chamadas.empty());
    mouse(530, 343, true);
    quadro();
    mouse(695, 525, true);
    quadro();
    EXPECT_EQ(chamadas, (std::vector<std::string>{"jogar 9", "jogar 10"}));
}

TEST_F(Fases2, BackArrowLightsAndSetsTheLeaveFlag) {
    mouse(340, 508);
    Bitmap alvo = quadro();
    EXPECT_EQ(getpixel(alvo.get(), 330, 495), makecol(0, 250, 0));
    EXPECT_FALSE(estado.sair);
    mouse(388, 526, true);
    alvo = quadro();
    EXPECT_TRUE(estado.sair);
    // The frame still ends with its padlock and cursor.
    EXPECT_EQ(getpixel(alvo.get(), 360, 346), makecol(200, 40, 40));

    mouse(600, 100);
    alvo = quadro();
    EXPECT_EQ(getpixel(alvo.get(), 330, 495), makecol(0, 150, 0));
}

TEST_F(Fases2, LockedBonusShowsOneMessageAPress) {
    mouse(737, 547, true);
    quadro();
    quadro();
    EXPECT_EQ(chamadas, (std::vector<std::string>{MENSAGEM}));
    mouse(737, 547);
    quadro();
    mouse(737, 547, true);
    quadro();
    EXPECT_EQ(chamadas, (std::vector<std::string>{MENSAGEM, MENSAGEM}));
}

TEST_F(Fases2, HoverLightsLevelNineAndTheBonusEvenWhenLocked) {
    mapaLiberado = 1;
    mouse(400, 200);
    Bitmap alvo = quadro();
    EXPECT_EQ(getpixel(alvo.get(), 275, 150), makecol(255, 255, 255));
    EXPECT_EQ(getpixel(alvo.get(), 530, 343), makecol(255, 255, 255));
    EXPECT_NE(getpixel(alvo.get(), 690, 520), makecol(250, 250, 0));

    mouse(700, 550);
    alvo = quadro();
    EXPECT_EQ(getpixel(alvo.get(), 690, 520), makecol(250, 250, 0));
    EXPECT_NE(getpixel(alvo.get(), 275, 150), makecol(255, 255, 255));
}

TEST_F(Fases2, MissingPicturesDrawNothingAndDoNotCrash) {
    figuras = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
    mouse(700, 550, true);
    Bitmap alvo = quadro();
    EXPECT_EQ(getpixel(alvo.get(), 360, 346), fundoCor);
    EXPECT_EQ(chamadas, (std::vector<std::string>{MENSAGEM}));
}

}  // namespace
