// The playlist: twelve files in order, each with a title that fits its line.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "play/faixas.h"

TEST(Playlist, TwelveFilesInOrderWithShortDistinctTitles) {
    std::set<std::string> titulos;
    for (size_t i = 0; i < faixas.size(); ++i) {
        char esperado[16];
        std::snprintf(esperado, sizeof esperado, "mid/%02zu.mid", i + 1);
        EXPECT_STREQ(faixas[i].arquivo, esperado);
        // One line under the board in a 14-pixel font.
        size_t n = std::strlen(faixas[i].titulo);
        EXPECT_GT(n, 0u);
        EXPECT_LE(n, 48u) << faixas[i].titulo;
        EXPECT_EQ(std::strchr(faixas[i].titulo, '\n'), nullptr);
        titulos.insert(faixas[i].titulo);
    }
    EXPECT_EQ(titulos.size(), faixas.size());
}
