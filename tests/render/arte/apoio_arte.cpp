#include "apoio_arte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include "gif/algif.h"

namespace {

class Ambiente : public ::testing::Environment {
public:
    void SetUp() override {
        set_uformat(U_ASCII);  // the game's texts are Latin-1 bytes
        ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
        set_color_depth(32);
    }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new Ambiente);
    return RUN_ALL_TESTS();
}

std::string noJogo(const std::string& relativo) { return std::string(ZEPKO_RUN_DIR) + "/" + relativo; }

Bitmap carregaBmp(const std::string& relativo) {
    PALETTE pal;
    return Bitmap(load_bitmap(noJogo(relativo).c_str(), pal));
}

Bitmap carregaGif(const std::string& relativo) {
    PALETTE pal;
    return Bitmap(load_gif(noJogo(relativo).c_str(), pal));
}

Rgb pixel(BITMAP* b, int x, int y) {
    int p = getpixel(b, x, y);
    return {getr32(p), getg32(p), getb32(p)};
}

bool magenta(BITMAP* b, int x, int y) { return pixel(b, x, y) == Rgb{255, 0, 255}; }

Caixa opacos(BITMAP* b) {
    Caixa c{b->w, b->h, -1, -1};
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (!magenta(b, x, y)) {
                c.x0 = std::min(c.x0, x);
                c.y0 = std::min(c.y0, y);
                c.x1 = std::max(c.x1, x);
                c.y1 = std::max(c.y1, y);
            }
    return c;
}
