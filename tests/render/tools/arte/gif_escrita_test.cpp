// The generator's GIF writer, read back by giflib and by the game's reader.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <vector>

#include "apoio.h"
#include "fontes_arte.h"
#include "gif/algif.h"
#include "gif_escrita.h"

namespace {

struct Memoria {
    const std::vector<uint8_t>* bytes;
    size_t pos = 0;
};

int leMemoria(GifFileType* g, GifByteType* dst, int n) {
    auto* m = static_cast<Memoria*>(g->UserData);
    int k = int(std::min<size_t>(size_t(n), m->bytes->size() - m->pos));
    std::memcpy(dst, m->bytes->data() + m->pos, size_t(k));
    m->pos += size_t(k);
    return k;
}

// The picture giflib decodes, transparent pixels as magenta.
Bitmap decodificaComGiflib(const std::vector<uint8_t>& bytes) {
    Memoria m{&bytes};
    int erro = 0;
    GifFileType* g = DGifOpen(&m, leMemoria, &erro);
    if (!g) throw std::runtime_error("giflib cannot open the file");
    if (DGifSlurp(g) != GIF_OK || g->ImageCount != 1) {
        DGifCloseFile(g, &erro);
        throw std::runtime_error("giflib cannot read the file");
    }
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(g, 0, &gcb);
    const SavedImage& im = g->SavedImages[0];
    const ColorMapObject* cm = im.ImageDesc.ColorMap ? im.ImageDesc.ColorMap : g->SColorMap;
    Bitmap b(create_bitmap(im.ImageDesc.Width, im.ImageDesc.Height));
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) {
            int i = im.RasterBits[y * b->w + x];
            if (i == gcb.TransparentColor)
                putpixel(b.get(), x, y, makecol(255, 0, 255));
            else
                putpixel(b.get(), x, y, makecol(cm->Colors[i].Red, cm->Colors[i].Green, cm->Colors[i].Blue));
        }
    DGifCloseFile(g, &erro);
    return b;
}

// A noisy picture of `cores` colours (plus magenta holes when asked), with
// runs so that the coder's table both grows and fills up.
Bitmap figuraAleatoria(int w, int h, int cores, bool transparente, unsigned semente) {
    std::mt19937 gen(semente);
    Bitmap b(create_bitmap(w, h));
    std::vector<int> paleta;
    for (int i = 0; i < cores; ++i) paleta.push_back(makecol(i * 37 % 256, i * 91 % 256, (i * 13 + 7) % 251));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int c = paleta[gen() % paleta.size()];
            if (gen() % 4 == 0 && x > 0) c = getpixel(b.get(), x - 1, y);  // some runs
            if (transparente && gen() % 5 == 0) c = makecol(255, 0, 255);
            putpixel(b.get(), x, y, c);
        }
    return b;
}

TEST(GifEscrita, GiflibReadsBackEveryPixelForManySizesAndPalettes) {
    struct Caso {
        int w, h, cores;
        bool transparente;
    };
    const Caso casos[] = {{1, 1, 1, false},   {1, 1, 1, true},     {7, 3, 2, false},   {40, 40, 3, true},
                          {23, 38, 5, true},  {97, 61, 16, false}, {64, 64, 17, true}, {300, 200, 200, true},
                          {320, 240, 255, true}, {256, 256, 256, false}, {500, 400, 2, false}};
    unsigned semente = 1;
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " colours " + std::to_string(c.cores));
        Bitmap fonte = figuraAleatoria(c.w, c.h, c.cores, c.transparente, semente++);
        Bitmap lido = decodificaComGiflib(codificaGif(fonte.get()));
        EXPECT_EQ(diferencas(fonte.get(), lido.get()), 0);
    }
}

TEST(GifEscrita, OneColourPictureLongEnoughToFillTheCodeTable) {
    Bitmap fonte(create_bitmap(800, 600));
    clear_to_color(fonte.get(), makecol(16, 18, 30));
    Bitmap lido = decodificaComGiflib(codificaGif(fonte.get()));
    EXPECT_EQ(diferencas(fonte.get(), lido.get()), 0);
}

TEST(GifEscrita, RefusesMoreColoursThanATableHolds) {
    Bitmap muitas = figuraAleatoria(64, 64, 256, true, 99);  // 256 colours and a transparent index
    EXPECT_THROW(codificaGif(muitas.get()), std::runtime_error);
}

TEST(GifEscrita, TheGamesSpritesLoadWithTheGamesReaderAsGiflibSeesThem) {
    int sprites = 0;
    for (const std::string& nome : leArquivos(std::string(ZEPKO_ARTE_DADOS) + "/arquivos.txt")) {
        if (nome.size() < 4 || nome.compare(nome.size() - 4, 4, ".gif") != 0) continue;
        SCOPED_TRACE(nome);
        ++sprites;
        std::ifstream in(noJogo(nome), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        Bitmap jogo = carregaGif(nome);
        ASSERT_NE(jogo, nullptr);
        Bitmap referencia = decodificaComGiflib(bytes);
        EXPECT_EQ(diferencas(referencia.get(), jogo.get()), 0);
        EXPECT_GT(opacos(jogo.get()).x1, 0);
    }
    EXPECT_EQ(sprites, 9);  // the hero's four views, the padlock, the level's four buttons
}

}  // namespace
