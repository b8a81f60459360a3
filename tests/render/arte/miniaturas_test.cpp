// The boards behind the level pictures of the select pages come from the
// level table itself, with the tile set of each level.
#include <gtest/gtest.h>

#include "apoio_arte.h"
#include "play/fase.h"
#include "telas.h"

namespace {

bool blocoIgual(BITMAP* tab, int cx, int cy, BITMAP* peca) {
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (getpixel(tab, 40 * cx + x, 40 * cy + y) != getpixel(peca, x, y)) return false;
    return true;
}

TEST(Miniaturas, EveryBoardShowsItsLevelsTilesBoxesAndHero) {
    Telas telas({ZEPKO_ARTE_DADOS, "", ZEPKO_TIPO_TITULO, ZEPKO_TIPO_TEXTO, ""});
    for (const DadosFase& f : tabelaFases) {
        SCOPED_TRACE("level " + std::to_string(f.numero));
        bool bonus = f.conjuntoPecas == Estilo::bonus;
        Bitmap tab(telas.tabuleiro(f.numero));
        ASSERT_NE(tab, nullptr);
        Bitmap pecas[] = {carregaBmp("img/mapa/preto.bmp"),
                       carregaBmp("img/mapa/parede.bmp"),
                       carregaBmp(bonus ? "img/mapa/chao2.bmp" : "img/mapa/chao.bmp"),
                       carregaBmp(bonus ? "img/mapa/chaoX2.bmp" : "img/mapa/chaoX.bmp"),
                       carregaBmp("img/mapa/azul.bmp")};
        Bitmap caixa = carregaBmp(bonus ? "img/mapa/box2.bmp" : "img/mapa/box.bmp");
        Bitmap caixaNoAlvo = carregaBmp(bonus ? "img/mapa/boxVerm.bmp" : "img/mapa/boxVerde.bmp");
        int erradas = 0;
        for (int y = 0; y < LINHAS; ++y)
            for (int x = 0; x < COLUNAS; ++x) {
                Celula c{x, y};
                int k = 0;
                while (k < f.numCaixas && f.inicioCaixas[size_t(k)] != c) ++k;
                int codigo = (*f.mapa)[y][x];
                BITMAP* esperada = k < f.numCaixas ? (codigo == ALVO ? caixaNoAlvo.get() : caixa.get())
                                                   : pecas[codigo].get();
                if (c == f.inicioHeroi) continue;
                erradas += !blocoIgual(tab.get(), x, y, esperada);
            }
        EXPECT_EQ(erradas, 0);
        // the hero stands on his start cell, drawn as the game draws him
        EXPECT_FALSE(blocoIgual(tab.get(), f.inicioHeroi.x, f.inicioHeroi.y, pecas[CHAO].get()));
        Bitmap heroi = carregaGif("img/zepFrente.gif");
        ASSERT_NE(heroi, nullptr);
        int hx = 40 * f.inicioHeroi.x + 9, hy = 40 * f.inicioHeroi.y + 2, iguais = 0, opacos = 0;
        for (int y = 0; y < heroi->h; ++y)
            for (int x = 0; x < heroi->w; ++x) {
                if (magenta(heroi.get(), x, y)) continue;
                ++opacos;
                iguais += getpixel(heroi.get(), x, y) == getpixel(tab.get(), hx + x, hy + y);
            }
        EXPECT_EQ(iguais, opacos);
    }
}

}  // namespace
