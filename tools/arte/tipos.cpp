#include "tipos.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

FT_Library biblioteca() {
    static FT_Library lib = [] {
        FT_Library l;
        if (FT_Init_FreeType(&l)) throw std::runtime_error("FreeType cannot start");
        return l;
    }();
    return lib;
}

unsigned codigo(char c) { return static_cast<unsigned char>(c); }

FT_UInt indice(FT_Face f, unsigned c) {
    FT_UInt i = FT_Get_Char_Index(f, c);
    if (!i && c == 0xAD) i = FT_Get_Char_Index(f, '-');  // soft hyphen
    return i;
}

// Walks `texto` glyph by glyph, kerning included: loads each glyph into the
// face's slot with `flags` and calls `cada` with its pen position. Returns the
// pen position after the last glyph.
template <class Cada>
int percorre(FT_Face face, const std::string& texto, FT_Int32 flags, Cada cada) {
    int x = 0;
    FT_UInt anterior = 0;
    for (char ch : texto) {
        FT_UInt g = indice(face, codigo(ch));
        if (anterior && FT_HAS_KERNING(face)) {
            FT_Vector k;
            FT_Get_Kerning(face, anterior, g, FT_KERNING_DEFAULT, &k);
            x += int(k.x >> 6);
        }
        FT_Load_Glyph(face, g, flags);
        cada(x);
        x += int((face->glyph->advance.x + 32) >> 6);
        anterior = g;
    }
    return x;
}

// A glyph of the bitmap fonts: hinted for one bit per pixel, but drawn in
// grey and inked where it covers half a pixel or more, in the box of its ink.
// FreeType's one-bit rasterizer changed in 2.13 and its grey one did not, so
// the fonts come out the same on Debian 12 and 13.
struct UmBit {
    int esquerda = 0, topo = 0, largura = 0, linhas = 0;
    std::vector<uint8_t> tinta;  // largura x linhas
};

bool carregaUmBit(FT_Face face, FT_UInt g, UmBit& u) {
    if (FT_Load_Glyph(face, g, FT_LOAD_TARGET_MONO) || FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL))
        return false;
    const FT_Bitmap& b = face->glyph->bitmap;
    auto cobre = [&](unsigned i, unsigned j) { return b.buffer[j * b.pitch + i] >= 128; };
    int x0 = int(b.width), y0 = int(b.rows), x1 = -1, y1 = -1;
    for (unsigned j = 0; j < b.rows; ++j)
        for (unsigned i = 0; i < b.width; ++i)
            if (cobre(i, j)) {
                x0 = std::min(x0, int(i)), x1 = std::max(x1, int(i));
                y0 = std::min(y0, int(j)), y1 = std::max(y1, int(j));
            }
    u = UmBit{};
    if (x1 < 0) return true;  // no ink, as in a space
    u.esquerda = face->glyph->bitmap_left + x0;
    u.topo = face->glyph->bitmap_top - y0;
    u.largura = x1 - x0 + 1;
    u.linhas = y1 - y0 + 1;
    for (int j = y0; j <= y1; ++j)
        for (int i = x0; i <= x1; ++i) u.tinta.push_back(cobre(unsigned(i), unsigned(j)));
    return true;
}

}  // namespace

Tipo::Tipo(const std::string& arquivo, int pixels, const Linha* linha) {
    if (FT_New_Face(biblioteca(), arquivo.c_str(), 0, &face_))
        throw std::runtime_error("cannot open typeface " + arquivo);
    FT_Set_Pixel_Sizes(face_, 0, pixels);
    if (linha) {
        // Rounded outwards, as FreeType rounds the face's own.
        ascendente_ = (linha->acima * pixels + 999) / 1000;
        descendente_ = (linha->abaixo * pixels + 999) / 1000;
    } else {
        ascendente_ = int(face_->size->metrics.ascender >> 6);
        descendente_ = int(-(face_->size->metrics.descender >> 6));
    }
}

Tipo::~Tipo() { FT_Done_Face(face_); }

int Tipo::largura(const std::string& texto) const {
    return percorre(face_, texto, FT_LOAD_DEFAULT, [](int) {});
}

Mascara Tipo::mascara(const std::string& texto, int* linhaBase) const {
    Mascara m(largura(texto) + 2, ascendente_ + descendente_);
    percorre(face_, texto, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT, [&](int x) {
        FT_GlyphSlot s = face_->glyph;
        for (unsigned j = 0; j < s->bitmap.rows; ++j)
            for (unsigned i = 0; i < s->bitmap.width; ++i) {
                int px = x + s->bitmap_left + int(i), py = ascendente_ - s->bitmap_top + int(j);
                if (px < 0 || py < 0 || px >= m.w || py >= m.h) continue;
                int v = s->bitmap.buffer[j * s->bitmap.pitch + i];
                m.ref(px, py) = uint8_t(std::max<int>(m.ref(px, py), v));
            }
    });
    if (linhaBase) *linhaBase = ascendente_;
    return m;
}

BITMAP* Tipo::grade(PALETTE pal) const {
    constexpr int PRIMEIRO = 32, ULTIMO = 255, POR_LINHA = 16;
    constexpr int TINTA = 1, FUNDO = 0, BORDA = 255;
    // The cells must hold the tallest glyph, accented capitals included,
    // which reach above the face's nominal ascender.
    int topo = ascendente_, fundo = descendente_;
    UmBit u;
    for (unsigned c = PRIMEIRO; c <= ULTIMO; ++c) {
        FT_UInt g = indice(face_, c);
        if ((c >= 127 && c < 160) || !g || !carregaUmBit(face_, g, u) || !u.linhas) continue;
        topo = std::max(topo, u.topo);
        fundo = std::max(fundo, u.linhas - u.topo);
    }
    const int altura = topo + fundo;

    struct Glifo {
        int largura = 0;
        std::vector<uint8_t> bits;  // largura x altura
    };
    std::vector<Glifo> glifos;
    int espaco = 0;
    for (unsigned c = PRIMEIRO; c <= ULTIMO; ++c) {
        Glifo gl;
        bool imprimivel = c < 127 || c >= 160;
        FT_UInt g = imprimivel ? indice(face_, c) : 0;
        if (imprimivel && g && carregaUmBit(face_, g, u)) {
            int esquerda = std::max(0, u.esquerda);
            gl.largura = std::max(int((face_->glyph->advance.x + 32) >> 6), esquerda + u.largura);
            gl.bits.assign(size_t(gl.largura) * altura, 0);
            for (int j = 0; j < u.linhas; ++j)
                for (int i = 0; i < u.largura; ++i) {
                    int px = esquerda + i, py = topo - u.topo + j;
                    if (py < 0 || py >= altura) continue;
                    if (u.tinta[size_t(j) * u.largura + i]) gl.bits[size_t(py) * gl.largura + px] = 1;
                }
            if (c == ' ') espaco = gl.largura;
        } else {
            gl.largura = std::max(1, espaco);
            gl.bits.assign(size_t(gl.largura) * altura, 0);
        }
        glifos.push_back(std::move(gl));
    }

    int linhas = int((glifos.size() + POR_LINHA - 1) / POR_LINHA);
    int w = 0;
    for (int l = 0; l < linhas; ++l) {
        int x = 1;
        for (int k = l * POR_LINHA; k < std::min<int>((l + 1) * POR_LINHA, int(glifos.size())); ++k)
            x += glifos[k].largura + 1;
        w = std::max(w, x);
    }
    BITMAP* b = create_bitmap_ex(8, w, linhas * (altura + 1) + 1);
    clear_to_color(b, BORDA);
    for (int k = 0; k < int(glifos.size()); ++k) {
        int l = k / POR_LINHA;
        int x = 1;
        for (int q = l * POR_LINHA; q < k; ++q) x += glifos[q].largura + 1;
        int y = 1 + l * (altura + 1);
        for (int j = 0; j < altura; ++j)
            for (int i = 0; i < glifos[k].largura; ++i)
                b->line[y + j][x + i] = glifos[k].bits[size_t(j) * glifos[k].largura + i] ? TINTA : FUNDO;
    }
    for (int i = 0; i < PAL_SIZE; ++i) pal[i] = RGB{0, 0, 0, 0};
    pal[TINTA] = RGB{63, 63, 63, 0};
    pal[BORDA] = RGB{63, 63, 0, 0};
    return b;
}
