// Board tiles and boxes.
#include <gtest/gtest.h>

#include "apoio.h"
#include "fontes_arte.h"

namespace {

TEST(Pecas, EveryTileIsFortyByFortyAndFullyOpaque) {
    int pecas = 0;
    for (const std::string& nome : leArquivos(std::string(ZEPKO_ARTE_DADOS) + "/arquivos.txt")) {
        if (nome.rfind("img/mapa/", 0) != 0) continue;
        SCOPED_TRACE(nome);
        ++pecas;
        Bitmap b = carregaBmp(nome);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->w, 40);
        EXPECT_EQ(b->h, 40);
        int buracos = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) buracos += magenta(b.get(), x, y);
        EXPECT_EQ(buracos, 0);
    }
    EXPECT_EQ(pecas, 11);  // five board codes, two boxes, the bonus floor, target and boxes
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

}  // namespace
