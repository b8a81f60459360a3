// The level-complete panel: its opening steps and its contents.
#include "tela_jogo.h"
#include "play/fimDeFase.h"

namespace {

using Fim = TelaJogo;

TEST_F(Fim, TheOpeningEndsAsABlackSquareWithItsThreeOutlines) {
    Bitmap alvo = bloco(800, 600, 30, 30, 90);  // the level's last picture
    for (int i = 0; i < PASSOS_PAINEL; ++i) passoPainel(alvo.get(), i);

    const int branco = makecol(255, 255, 255), g200 = makecol(200, 200, 200),
              g150 = makecol(150, 150, 150), fundo = makecol(30, 30, 90);
    EXPECT_EQ(getpixel(alvo.get(), 170, 70), branco);
    EXPECT_EQ(getpixel(alvo.get(), 630, 530), branco);
    EXPECT_EQ(getpixel(alvo.get(), 400, 530), branco);
    // Grey outlines: outside the white one at the sides, inside it at the top
    // and bottom.
    EXPECT_EQ(getpixel(alvo.get(), 169, 300), g200);
    EXPECT_EQ(getpixel(alvo.get(), 168, 300), g150);
    EXPECT_EQ(getpixel(alvo.get(), 631, 300), g200);
    EXPECT_EQ(getpixel(alvo.get(), 632, 300), g150);
    EXPECT_EQ(getpixel(alvo.get(), 400, 71), g200);
    EXPECT_EQ(getpixel(alvo.get(), 400, 72), g150);
    EXPECT_EQ(getpixel(alvo.get(), 400, 528), g150);
    EXPECT_EQ(getpixel(alvo.get(), 400, 529), g200);
    EXPECT_EQ(getpixel(alvo.get(), 300, 73), 0);
    EXPECT_EQ(getpixel(alvo.get(), 400, 300), 0);
    EXPECT_EQ(getpixel(alvo.get(), 400, 69), fundo);
    EXPECT_EQ(getpixel(alvo.get(), 167, 300), fundo);
    EXPECT_EQ(getpixel(alvo.get(), 169, 70), fundo);
}

TEST_F(Fim, ContentsStandAtTheirPlaces) {
    Bitmap parabens = bloco(240, 100, 250, 120, 0);
    Bitmap heroiFrente = bloco(22, 36, 250, 200, 10);
    const RecursosFim rec{font, font, parabens.get(), heroiFrente.get()};
    Bitmap alvo = bloco(800, 600, 0, 0, 0);
    conteudoPainel(alvo.get(), 0, 7, 321, 45, rec);

    const int branco = makecol(255, 255, 255), g150 = makecol(150, 150, 150);
    EXPECT_EQ(getpixel(alvo.get(), 280, 100), getpixel(parabens.get(), 0, 0));
    EXPECT_EQ(getpixel(alvo.get(), 279, 100), 0);
    EXPECT_EQ(getpixel(alvo.get(), 220, 214), g150);
    EXPECT_EQ(getpixel(alvo.get(), 580, 215), branco);
    EXPECT_EQ(getpixel(alvo.get(), 400, 216), g150);
    EXPECT_EQ(getpixel(alvo.get(), 219, 215), 0);
    EXPECT_EQ(getpixel(alvo.get(), 581, 215), 0);
    EXPECT_EQ(getpixel(alvo.get(), 220, 470), getpixel(heroiFrente.get(), 0, 0));
    EXPECT_EQ(getpixel(alvo.get(), 555, 470), getpixel(heroiFrente.get(), 0, 0));

    const int rotulo = makecol(181, 230, 29), valor = makecol(63, 72, 204);
    EXPECT_TRUE(temCor(alvo.get(), 260, 260, 299, 267, rotulo));  // "Tempo"
    EXPECT_TRUE(temCor(alvo.get(), 390, 260, 405, 267, valor));   // "00 "
    EXPECT_TRUE(temCor(alvo.get(), 415, 260, 438, 267, valor));   // " : "
    EXPECT_TRUE(temCor(alvo.get(), 443, 260, 458, 267, valor));   // "07 "
    EXPECT_TRUE(temCor(alvo.get(), 390, 320, 413, 327, valor));   // 321
    EXPECT_TRUE(temCor(alvo.get(), 470, 380, 485, 387, valor));   // 45
    EXPECT_TRUE(temCor(alvo.get(), 260, 380, 339, 387, rotulo));  // "Movimentos"
    // "Pressione ENTER para continuar", 30 letters centred on 400, between the heroes.
    const auto [esq, dir] = extremos(alvo.get(), 480, 487, branco);
    EXPECT_NEAR(esq + dir, 800, 9);
    EXPECT_NEAR(dir - esq, 240, 9);
}

TEST_F(Fim, MissingPicturesAreLeftOut) {
    const RecursosFim rec = carregaRecursosFim();  // no files here
    EXPECT_EQ(rec.parabens, nullptr);
    EXPECT_EQ(rec.cooper, font);
    Bitmap alvo = bloco(800, 600, 0, 0, 0);
    conteudoPainel(alvo.get(), 123, 59, 1, 2, rec);
    EXPECT_EQ(getpixel(alvo.get(), 300, 150), 0);
    EXPECT_TRUE(temCor(alvo.get(), 390, 260, 413, 267, makecol(63, 72, 204)));  // 123
}

}  // namespace
