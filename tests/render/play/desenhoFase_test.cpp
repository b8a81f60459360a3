// Board, buttons, status bar and music lines, probed pixel by pixel.
#include <cstring>
#include <filesystem>

#include "tela_jogo.h"
#include "play/faixas.h"

namespace {

using Desenho = TelaJogo;

TEST_F(Desenho, PreRenderDrawsEachCodeOnItsCellAndLeavesUnknownCodesUndrawn) {
    Mapa mapa{};
    mapa[0][0] = FORA;
    mapa[0][1] = PAREDE;
    mapa[1][0] = CHAO;
    mapa[14][19] = ALVO;
    mapa[7][3] = BORDA;
    mapa[7][4] = 7;
    mapa[7][5] = -1;
    Bitmap fundo = bloco(800, 600, 0, 0, 0);
    const RecursosFase r = recursos();
    preRenderiza(fundo.get(), mapa, r);

    EXPECT_EQ(getpixel(fundo.get(), 39, 39), getpixel(r.pecas[FORA], 0, 0));
    EXPECT_EQ(getpixel(fundo.get(), 40, 0), getpixel(r.pecas[PAREDE], 0, 0));
    EXPECT_EQ(getpixel(fundo.get(), 0, 79), getpixel(r.pecas[CHAO], 0, 0));
    EXPECT_EQ(getpixel(fundo.get(), 799, 599), getpixel(r.pecas[ALVO], 0, 0));
    EXPECT_EQ(getpixel(fundo.get(), 120, 280), getpixel(r.pecas[BORDA], 0, 0));
    EXPECT_FALSE(temCor(fundo.get(), 160, 280, 239, 319, getpixel(r.pecas[FORA], 0, 0)));
    EXPECT_EQ(getpixel(fundo.get(), 200, 300), 0);
}

TEST_F(Desenho, MissingTilesAndFontsDrawNothingAndCrashNothing) {
    const RecursosFase r = carregaRecursosFase(Estilo::bonus);  // no img/ here
    EXPECT_EQ(r.caixa, nullptr);
    EXPECT_EQ(r.cooper, font);
    EXPECT_EQ(r.arial, font);
    Bitmap fundo = bloco(800, 600, 0, 0, 0);
    preRenderiza(fundo.get(), map10, r);
    EXPECT_FALSE(temCor(fundo.get(), 0, 0, 799, 599, makecol(255, 0, 255)));
    EXPECT_EQ(getpixel(fundo.get(), 400, 300), 0);
}

TEST_F(Desenho, BonusTileSetComesFromItsOwnFilesAndSharesTheOthers) {
    std::filesystem::create_directories("img/mapa");
    const char* nomes[] = {"preto", "parede", "chao", "chaoX", "azul", "box", "boxVerde",
                           "chao2", "chaoX2", "box2", "boxVerm"};
    for (int i = 0; i < 11; ++i) {
        Bitmap b = bloco(40, 40, 20 * i, 255 - 20 * i, 7);
        const std::string caminho = std::string("img/mapa/") + nomes[i] + ".bmp";
        ASSERT_EQ(save_bitmap(caminho.c_str(), b.get(), nullptr), 0);
    }
    auto tom = [](int i) { return makecol(20 * i, 255 - 20 * i, 7); };
    const RecursosFase bonus = carregaRecursosFase(Estilo::bonus);
    const RecursosFase padrao = carregaRecursosFase(Estilo::padrao);
    EXPECT_EQ(getpixel(bonus.pecas[CHAO], 5, 5), tom(7));
    EXPECT_EQ(getpixel(bonus.pecas[ALVO], 5, 5), tom(8));
    EXPECT_EQ(getpixel(bonus.caixa, 5, 5), tom(9));
    EXPECT_EQ(getpixel(bonus.caixaNoAlvo, 5, 5), tom(10));
    EXPECT_EQ(getpixel(padrao.pecas[CHAO], 5, 5), tom(2));
    EXPECT_EQ(getpixel(padrao.pecas[ALVO], 5, 5), tom(3));
    EXPECT_EQ(getpixel(padrao.caixa, 5, 5), tom(5));
    EXPECT_EQ(getpixel(padrao.caixaNoAlvo, 5, 5), tom(6));
    for (int codigo : {FORA, PAREDE, BORDA}) EXPECT_EQ(bonus.pecas[codigo], padrao.pecas[codigo]);
}

TEST_F(Desenho, HeroStandsNineRightTwoBelowItsCellAndBoxesExactlyOnTheirs) {
    Partida p(tabelaFases[0], recursos());
    p.estado.caixaNoAlvo[1] = true;
    p.estado.direcao = ESQUERDA;
    Bitmap alvo = bloco(800, 600, 0, 0, 0);
    desenhaCaixas(alvo.get(), p.estado, p.rec);
    desenhaHeroi(alvo.get(), p.estado, p.rec);

    const int h = getpixel(heroi[ESQUERDA].get(), 0, 0);
    EXPECT_EQ(getpixel(alvo.get(), 409, 242), h);  // hero on (10, 6)
    EXPECT_EQ(getpixel(alvo.get(), 430, 277), h);
    EXPECT_NE(getpixel(alvo.get(), 408, 242), h);
    EXPECT_NE(getpixel(alvo.get(), 409, 241), h);
    EXPECT_EQ(getpixel(alvo.get(), 360, 240), getpixel(caixa.get(), 0, 0));       // box 0 on (9, 6)
    EXPECT_EQ(getpixel(alvo.get(), 399, 279), getpixel(caixa.get(), 0, 0));
    EXPECT_EQ(getpixel(alvo.get(), 360, 200), getpixel(caixaVerde.get(), 0, 0));  // box 1 flagged
    EXPECT_EQ(getpixel(alvo.get(), 400, 280), getpixel(caixa.get(), 0, 0));       // box 3 on (10, 7)
}

TEST_F(Desenho, HoverLightsTheButtonAndPutsItsLabelUnderThePicture) {
    const RecursosFase r = recursos();
    const int rotulo = makecol(181, 255, 0);

    Bitmap fora = bloco(800, 600, 0, 0, 0);
    desenhaBotoes(fora.get(), Estilo::padrao, r, 300, 300);
    EXPECT_EQ(getpixel(fora.get(), 100, 50), getpixel(voltar2.get(), 0, 0));
    EXPECT_EQ(getpixel(fora.get(), 55, 50), getpixel(replay2.get(), 0, 0));
    EXPECT_FALSE(temCor(fora.get(), 0, 0, 799, 599, rotulo));

    // The undo area's corner: label from (120, 71), lit picture from (102, 52)
    // to (137, 81) over the label's first letters.
    Bitmap sobre = bloco(800, 600, 0, 0, 0);
    desenhaBotoes(sobre.get(), Estilo::padrao, r, 100, 55);
    EXPECT_NE(getpixel(sobre.get(), 101, 51), getpixel(voltar.get(), 0, 0));
    EXPECT_EQ(getpixel(sobre.get(), 102, 52), getpixel(voltar.get(), 0, 0));
    EXPECT_EQ(getpixel(sobre.get(), 55, 50), getpixel(replay2.get(), 0, 0));
    EXPECT_FALSE(temCor(sobre.get(), 102, 52, 137, 81, rotulo));
    EXPECT_TRUE(temCor(sobre.get(), 138, 71, 200, 78, rotulo));
    EXPECT_FALSE(temCor(sobre.get(), 0, 0, 799, 70, rotulo));

    // One pixel past the restart area (x 91) is neither button.
    Bitmap borda = bloco(800, 600, 0, 0, 0);
    desenhaBotoes(borda.get(), Estilo::padrao, r, 91, 80);
    EXPECT_FALSE(temCor(borda.get(), 0, 0, 799, 599, rotulo));
    desenhaBotoes(borda.get(), Estilo::padrao, r, 90, 80);
    EXPECT_EQ(getpixel(borda.get(), 57, 51), getpixel(replay.get(), 0, 0));
    EXPECT_TRUE(temCor(borda.get(), 110, 96, 200, 103, rotulo));

    Bitmap bonus = bloco(800, 600, 0, 0, 0);
    desenhaBotoes(bonus.get(), Estilo::bonus, r, 745, 430);
    EXPECT_EQ(getpixel(bonus.get(), 712, 402), getpixel(voltar.get(), 0, 0));
    EXPECT_EQ(getpixel(bonus.get(), 665, 400), getpixel(replay2.get(), 0, 0));
    EXPECT_TRUE(temCor(bonus.get(), 765, 446, 799, 453, rotulo));
    EXPECT_EQ(getpixel(bonus.get(), 100, 50), 0);
}

TEST_F(Desenho, StatusBarPanelFrameAndCounters) {
    Partida p(tabelaFases[0], recursos());
    p.estado.passos = 1234;
    p.estado.movimentos = 56;
    p.estado.minutos = 3;
    p.estado.segundos = 41;
    Bitmap alvo = bloco(800, 600, 0, 0, 0);
    desenhaPainelFixo(alvo.get(), p.rec);
    desenhaContadores(alvo.get(), p.estado, p.rec);
    desenhaRelogio(alvo.get(), p.estado, p.rec);

    const int g150 = makecol(150, 150, 150), g200 = makecol(200, 200, 200),
              g250 = makecol(250, 250, 250);
    EXPECT_EQ(getpixel(alvo.get(), 700, 540), makecol(50, 50, 50));
    EXPECT_EQ(getpixel(alvo.get(), 40, 440), g150);
    EXPECT_EQ(getpixel(alvo.get(), 760, 560), g150);
    EXPECT_EQ(getpixel(alvo.get(), 40, 40), g150);
    EXPECT_EQ(getpixel(alvo.get(), 41, 39), g200);
    EXPECT_EQ(getpixel(alvo.get(), 759, 561), g200);
    EXPECT_EQ(getpixel(alvo.get(), 42, 38), g250);
    EXPECT_EQ(getpixel(alvo.get(), 400, 38), g250);
    EXPECT_EQ(getpixel(alvo.get(), 400, 439), g200);  // panel's middle outline
    EXPECT_EQ(getpixel(alvo.get(), 400, 41), 0);      // inside the frame stays as it was
    EXPECT_EQ(getpixel(alvo.get(), 39, 300), 0);

    const int rotulo = makecol(181, 230, 29), valor = makecol(63, 72, 204);
    EXPECT_TRUE(temCor(alvo.get(), 450, 460, 497, 467, rotulo));  // "Passos"
    EXPECT_TRUE(temCor(alvo.get(), 580, 460, 611, 467, valor));   // 1234
    EXPECT_FALSE(temCor(alvo.get(), 612, 460, 700, 467, valor));
    EXPECT_TRUE(temCor(alvo.get(), 120, 500, 199, 507, rotulo));  // "Movimentos"
    EXPECT_TRUE(temCor(alvo.get(), 330, 500, 345, 507, valor));   // 56
    EXPECT_TRUE(temCor(alvo.get(), 120, 460, 159, 467, rotulo));  // "Tempo"
    EXPECT_TRUE(temCor(alvo.get(), 250, 460, 273, 467, valor));   // "03 "
    EXPECT_TRUE(temCor(alvo.get(), 303, 460, 318, 467, valor));   // "41"
    EXPECT_FALSE(temCor(alvo.get(), 319, 460, 330, 467, valor));
}

TEST_F(Desenho, MusicFooterIsCentredAndTheTitleFollowsTheTrack) {
    const RecursosFase r = recursos();
    auto desenhaMusica = [&](BITMAP* b, int faixa) {
        desenhaRodapeMusica(b);
        desenhaTituloFaixa(b, faixa, r);
    };
    const int cinza = makecol(100, 100, 100), branco = makecol(255, 255, 255);
    Bitmap pausado = bloco(800, 600, 0, 0, 0);
    desenhaMusica(pausado.get(), 0);
    const auto [e1, d1] = extremos(pausado.get(), 589, 596, cinza);
    EXPECT_NEAR(e1 + d1, 800, 9);
    EXPECT_GT(d1 - e1, 300);
    EXPECT_FALSE(temCor(pausado.get(), 0, 0, 799, 588, cinza));
    const auto [e2, d2] = extremos(pausado.get(), 565, 572, branco);
    EXPECT_NEAR(e2 + d2, 800, 9);
    EXPECT_NEAR(d2 - e2, 7 * 8, 8);  // "Pausado"

    Bitmap faixa = bloco(800, 600, 0, 0, 0);
    desenhaMusica(faixa.get(), 12);
    const auto [e3, d3] = extremos(faixa.get(), 565, 572, branco);
    EXPECT_NEAR(d3 - e3, 8 * std::strlen(faixas[11].titulo), 8);

    Bitmap nada = bloco(800, 600, 0, 0, 0);
    desenhaMusica(nada.get(), -1);
    EXPECT_FALSE(temCor(nada.get(), 0, 0, 799, 580, branco));

    // The footer's very text, and track 5 under its own title (6 has a
    // title of the same length).
    auto soEscreve = [](BITMAP* b, int y, const char* texto, int c) {
        Bitmap esperado = bloco(800, 600, 0, 0, 0);
        textprintf_centre_ex(esperado.get(), font, 400, y, c, -1, "%s", texto);
        for (int yy = y; yy < y + text_height(font); ++yy)
            for (int x = 0; x < 800; ++x)
                if (getpixel(b, x, yy) != getpixel(esperado.get(), x, yy)) return false;
        return true;
    };
    EXPECT_TRUE(soEscreve(pausado.get(), 589,
                          "F1 - Pausar/Tocar     F2 - Anterior     F3 - Pr\xF3ximo", cinza));
    Bitmap cinco = bloco(800, 600, 0, 0, 0);
    desenhaMusica(cinco.get(), 5);
    EXPECT_TRUE(soEscreve(cinco.get(), 565, faixas[4].titulo, branco));
}

}  // namespace
