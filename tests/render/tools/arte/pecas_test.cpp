// Board tiles and boxes.
#include <gtest/gtest.h>

#include "apoio.h"

namespace {

const char* const TILES[] = {"preto", "parede", "chao", "chaoX", "chao2", "chaoX2",
                             "azul",  "box",    "boxVerde", "box2", "boxVerm"};

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

}  // namespace
