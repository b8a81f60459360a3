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
    for (unsigned c = PRIMEIRO; c <= ULTIMO; ++c) {
        FT_UInt g = indice(face_, c);
        if ((c >= 127 && c < 160) || !g || FT_Load_Glyph(face_, g, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO)) continue;
        topo = std::max(topo, face_->glyph->bitmap_top);
        fundo = std::max(fundo, int(face_->glyph->bitmap.rows) - face_->glyph->bitmap_top);
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
        if (imprimivel && g && !FT_Load_Glyph(face_, g, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO)) {
            FT_GlyphSlot s = face_->glyph;
            int esquerda = std::max(0, s->bitmap_left);
            gl.largura = std::max(int((s->advance.x + 32) >> 6), esquerda + int(s->bitmap.width));
            gl.bits.assign(size_t(gl.largura) * altura, 0);
            for (unsigned j = 0; j < s->bitmap.rows; ++j)
                for (unsigned i = 0; i < s->bitmap.width; ++i) {
                    int px = esquerda + int(i), py = topo - s->bitmap_top + int(j);
                    if (py < 0 || py >= altura) continue;
                    bool on = s->bitmap.buffer[j * s->bitmap.pitch + i / 8] & (0x80 >> (i % 8));
                    if (on) gl.bits[size_t(py) * gl.largura + px] = 1;
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
