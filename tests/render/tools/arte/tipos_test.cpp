// The PCX fonts, loaded the way the game loads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "apoio.h"

namespace {

struct LiberaFonte {
    void operator()(FONT* f) const { destroy_font(f); }
};
using Fonte = std::unique_ptr<FONT, LiberaFonte>;

struct CasoFonte {
    const char* arquivo;
    int alturaMin, alturaMax;
};

void PrintTo(const CasoFonte& c, std::ostream* os) { *os << c.arquivo; }

class Fontes : public ::testing::TestWithParam<CasoFonte> {
protected:
    Fonte carrega() {
        PALETTE pal;
        return Fonte(load_font(noJogo(GetParam().arquivo).c_str(), pal, nullptr));
    }
};

// Ink of one string drawn in white on black: pixel count and top row.
struct Tinta {
    int pixels = 0;
    int topo = 1000;
};
Tinta tinta(FONT* f, const char* texto) {
    Bitmap b(create_bitmap(120, 60));
    clear_to_color(b.get(), makecol(0, 0, 0));
    textout_ex(b.get(), f, texto, 10, 10, makecol(255, 255, 255), -1);
    Tinta t;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (getpixel(b.get(), x, y) != makecol(0, 0, 0)) {
                ++t.pixels;
                t.topo = std::min(t.topo, y);
            }
    return t;
}

TEST_P(Fontes, LoadsAsOneMonochromeRangeFromSpaceToLatin1End) {
    Fonte f = carrega();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(is_mono_font(f.get()));
    EXPECT_EQ(get_font_ranges(f.get()), 1);
    EXPECT_EQ(get_font_range_begin(f.get(), 0), 32);
    EXPECT_EQ(get_font_range_end(f.get(), 0), 255);
    EXPECT_GE(text_height(f.get()), GetParam().alturaMin);
    EXPECT_LE(text_height(f.get()), GetParam().alturaMax);
}

TEST_P(Fontes, TextTakesExactlyTheColourGiven) {
    Fonte f = carrega();
    ASSERT_NE(f, nullptr);
    Bitmap b(create_bitmap(400, 40));
    const int fundo = makecol(50, 50, 50), azul = makecol(63, 72, 204);
    clear_to_color(b.get(), fundo);
    textprintf_ex(b.get(), f.get(), 2, 2, azul, -1, "Pr\xF3ximo N\xE3o Parab\xE9ns!");
    int tinta = 0, outras = 0;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) {
            int p = getpixel(b.get(), x, y);
            if (p == azul) ++tinta;
            else if (p != fundo) ++outras;
        }
    EXPECT_GT(tinta, 100);
    EXPECT_EQ(outras, 0);
}

TEST_P(Fontes, AccentedLettersSitAtTheirLatin1CodesWithTheirAccents) {
    Fonte f = carrega();
    ASSERT_NE(f, nullptr);
    const char* pares[][2] = {{"o", "\xF3"}, {"a", "\xE3"}, {"e", "\xEA"}, {"e", "\xE9"},
                              {"c", "\xE7"}, {"E", "\xC9"}, {"A", "\xC1"}, {"u", "\xFA"}};
    for (auto& p : pares) {
        Tinta simples = tinta(f.get(), p[0]), acentuada = tinta(f.get(), p[1]);
        EXPECT_GT(acentuada.pixels, simples.pixels) << "code " << int(uint8_t(p[1][0]));
        if (p[1][0] != '\xE7') {
            EXPECT_LT(acentuada.topo, simples.topo) << "code " << int(uint8_t(p[1][0]));  // the accent stands above
        }
    }
}

TEST_P(Fontes, EveryPrintableCharacterHasInk) {
    Fonte f = carrega();
    ASSERT_NE(f, nullptr);
    for (int c = 33; c <= 255; ++c) {
        if (c >= 127 && c <= 160) continue;  // controls and the no-break space
        if (c == 0xAD) continue;              // soft hyphen
        char s[2] = {char(c), 0};
        EXPECT_GT(tinta(f.get(), s).pixels, 0) << "code " << c;
    }
    EXPECT_EQ(tinta(f.get(), " ").pixels, 0);
}

INSTANTIATE_TEST_SUITE_P(Jogo, Fontes,
                         ::testing::Values(CasoFonte{"fonts/cooperblack22.pcx", 20, 28},
                                           CasoFonte{"fonts/arial14.pcx", 13, 18}),
                         [](const auto& i) { return std::string(i.param.arquivo).find("cooper") != std::string::npos
                                                        ? std::string("cooperblack22")
                                                        : std::string("arial14"); });

}  // namespace
