// The cursor picture, pixel by pixel, and how it lands on a frame.
#include <gtest/gtest.h>

#include <string>

#include <allegro.h>

#include "screen/cursor.h"

namespace {

// '.' is the mask colour; 1 to 4 are the greens 100, 150, 200, 255. The
// arrow's two edges start at the tip; the three arcs and the dot sit in the
// bottom-right part; row and column 20 are clipped away.
const char* const esperado[20] = {
    "11..................",
    "122111..............",
    ".23322211...........",
    ".13443332211........",
    ".124.44443322111....",
    ".1234....444332221..",
    "..234.......4443332.",
    "..134..........44443",
    "..124..............4",
    "...234....4......444",
    "...134...444...44...",
    "...124....4...4...33",
    "....234.....44..33..",
    "....134.....4.33..22",
    "....124....4.3..22..",
    "....1234..4..3.2....",
    ".....234..4.3.2.....",
    ".....134.4..3.2.....",
    "......24.4.3.2......",
    ".......344.3.2......",
};

int cor(char c) {
    switch (c) {
        case '1': return makecol(0, 100, 0);
        case '2': return makecol(0, 150, 0);
        case '3': return makecol(0, 200, 0);
        case '4': return makecol(0, 255, 0);
        default: return makecol(255, 0, 255);
    }
}

std::string desenhoDe(BITMAP* b, int x0, int y0) {
    std::string s;
    for (int y = y0; y < y0 + 20; ++y) {
        for (int x = x0; x < x0 + 20; ++x) {
            int p = getpixel(b, x, y);
            char c = '?';
            for (char k : std::string(".1234"))
                if (p == cor(k)) c = k;
            s += c;
        }
        s += '\n';
    }
    return s;
}

std::string esperadoTexto() {
    std::string s;
    for (const char* linha : esperado) s += std::string(linha) + '\n';
    return s;
}

class Cursor : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { set_color_depth(GetParam()); }
    void TearDown() override { set_color_depth(32); }
};

TEST_P(Cursor, PictureIsPixelExact) {
    BITMAP* c = makeCursor();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->w, 20);
    EXPECT_EQ(c->h, 20);
    EXPECT_EQ(bitmap_color_depth(c), GetParam());
    EXPECT_EQ(desenhoDe(c, 0, 0), esperadoTexto());
    EXPECT_EQ(getpixel(c, 0, 0), makecol(0, 100, 0));
    EXPECT_EQ(getpixel(c, 19, 19), bitmap_mask_color(c));
    destroy_bitmap(c);
}

TEST_P(Cursor, EachCallBuildsItsOwnPicture) {
    BITMAP* a = makeCursor();
    BITMAP* b = makeCursor();
    ASSERT_NE(a, b);
    putpixel(a, 0, 0, makecol(255, 255, 255));
    EXPECT_EQ(getpixel(b, 0, 0), makecol(0, 100, 0));
    destroy_bitmap(a);
    destroy_bitmap(b);
}

TEST_P(Cursor, OnlyTheShapeIsDrawnOverTheFrame) {
    BITMAP* quadro = create_bitmap(800, 600);
    const int fundo = makecol(10, 20, 30);
    clear_to_color(quadro, fundo);
    BITMAP* c = makeCursor();
    draw_sprite(quadro, c, 300, 200);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            int quer = esperado[y][x] == '.' ? fundo : cor(esperado[y][x]);
            ASSERT_EQ(getpixel(quadro, 300 + x, 200 + y), quer) << x << "," << y;
        }
    destroy_bitmap(c);
    destroy_bitmap(quadro);
}

TEST_P(Cursor, ClippedAtTheScreenEdgeNotMovedIn) {
    BITMAP* quadro = create_bitmap(800, 600);
    clear_to_color(quadro, makecol(10, 20, 30));
    BITMAP* c = makeCursor();
    draw_sprite(quadro, c, 790, 590);
    int desenhados = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            int p = getpixel(quadro, x, y);
            if (p == makecol(10, 20, 30)) continue;
            ++desenhados;
            ASSERT_GE(x, 790);
            ASSERT_GE(y, 590);
            ASSERT_EQ(p, cor(esperado[y - 590][x - 790])) << x << "," << y;
        }
    int naParte = 0;  // drawn pixels in the picture's top-left 10x10
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) naParte += esperado[y][x] != '.';
    EXPECT_EQ(desenhados, naParte);
    destroy_bitmap(c);
    destroy_bitmap(quadro);
}

INSTANTIATE_TEST_SUITE_P(Depths, Cursor, ::testing::Values(32, 24, 16, 15),
                         [](const auto& info) { return std::to_string(info.param) + "bpp"; });

}  // namespace
