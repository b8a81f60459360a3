#include "pecas.h"

#include <cmath>
#include <cstdint>

#include "mascara.h"

namespace {

// Small deterministic noise in [0, 1): the same picture on every run.
double ruido(int x, int y, int semente) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(semente) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0x1000000);
}

// Palette of the board.
constexpr Cor NOITE{16, 18, 30};
constexpr Cor PEDRA{104, 112, 138};
constexpr Cor REJUNTE{58, 60, 78};
constexpr Cor AREIA{222, 198, 152};
constexpr Cor AREIA_JUNTA{170, 142, 100};
constexpr Cor VERDE{92, 188, 60};
constexpr Cor LOUSA{58, 54, 98};
constexpr Cor LOUSA_JUNTA{34, 30, 62};
constexpr Cor VERMELHO{222, 62, 56};
constexpr Cor AZUL{34, 60, 140};
constexpr Cor MADEIRA{190, 122, 58};
constexpr Cor ACO{128, 146, 170};

BITMAP* tela(Cor fundo) {
    BITMAP* b = create_bitmap_ex(32, TAM_CELULA, TAM_CELULA);
    clear_to_color(b, makecol_depth(32, fundo.r, fundo.g, fundo.b));
    return b;
}

void granula(BITMAP* b, int semente, double forca) {
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) {
            double n = ruido(x, y, semente) - 0.5;
            Cor c = leCor(b, x, y);
            poeCor(b, x, y, n > 0 ? clareia(c, n * forca) : escurece(c, -n * forca));
        }
}

Mascara retangulo(double x0, double y0, double x1, double y1, double raio) {
    return retanguloArredondado(TAM_CELULA, TAM_CELULA, x0, y0, x1, y1, raio);
}

// Square floor slab with a grout line, as in a courtyard.
BITMAP* piso(Cor base, Cor junta, int semente) {
    BITMAP* b = tela(junta);
    pintaRelevo(b, retangulo(1, 1, 39, 39, 2), 0, 0, base, 2, 0.22);
    granula(b, semente, 0.10);
    return b;
}

// The target: a carved ring with a cross inside, in the colour a box
// takes when it stands there.
void marcaAlvo(BITMAP* b, Cor cor) {
    Mascara anel = menos(circulo(TAM_CELULA, TAM_CELULA, 20, 20, 13),
                         circulo(TAM_CELULA, TAM_CELULA, 20, 20, 9.5));
    Mascara cruz = uniao(poligono(TAM_CELULA, TAM_CELULA, {13, 15.5, 15.5, 13, 27, 24.5, 24.5, 27}),
                         poligono(TAM_CELULA, TAM_CELULA, {24.5, 13, 27, 15.5, 15.5, 27, 13, 24.5}));
    Mascara marca = uniao(anel, cruz);
    pinta(b, desloca(marca, -1, -1), 0, 0, escurece(cor, 0.55));  // carved edge
    pinta(b, desloca(marca, 1, 1), 0, 0, clareia(leCor(b, 20, 4), 0.3));
    pinta(b, marca, 0, 0, cor);
}

BITMAP* parede() {
    BITMAP* b = tela(REJUNTE);
    // two courses of blocks, the lower one offset by half a block
    const double cursos[][4] = {{1, 1, 39, 19}, {-19, 21, 19, 39}, {21, 21, 59, 39}};
    int k = 0;
    for (auto& c : cursos) {
        Cor tom = mistura(PEDRA, Cor{118, 112, 130}, ruido(k, 7, 3));
        pintaRelevo(b, retangulo(c[0], c[1], c[2], c[3], 2), 0, 0, tom, 2, 0.28);
        ++k;
    }
    granula(b, 11, 0.14);
    return b;
}

// A wooden crate: planks inside a frame, with one diagonal brace.
BITMAP* caixote(Cor madeira, Cor contorno) {
    BITMAP* b = tela(contorno);
    Mascara corpo = retangulo(1, 1, 39, 39, 3);
    pintaRelevo(b, corpo, 0, 0, madeira, 2, 0.3);
    Mascara miolo = retangulo(7, 7, 33, 33, 1);
    Cor fundo = escurece(madeira, 0.25);
    pinta(b, miolo, 0, 0, fundo);
    for (int i = 0; i < 3; ++i) {  // planks behind the brace
        double y0 = 7 + i * 26.0 / 3;
        pintaRelevo(b, retangulo(7, y0 + 0.5, 33, y0 + 26.0 / 3 - 0.5, 0.5), 0, 0, escurece(madeira, 0.12), 1, 0.15);
    }
    Mascara trava = poligono(TAM_CELULA, TAM_CELULA, {7, 29, 29, 7, 33, 7, 33, 11, 11, 33, 7, 33});
    pinta(b, desloca(trava, 1, 1), 0, 0, escurece(madeira, 0.5));
    pintaRelevo(b, trava, 0, 0, madeira, 1, 0.3);
    granula(b, 23, 0.08);
    for (int cx : {4, 35})
        for (int cy : {4, 35}) {
            pinta(b, circulo(TAM_CELULA, TAM_CELULA, cx + 0.5, cy + 0.5, 1.6), 0, 0, escurece(madeira, 0.6));
            poeCor(b, cx, cy, clareia(madeira, 0.5));
        }
    return b;
}

// A riveted steel crate for the bonus level.
BITMAP* caixaAco(Cor aco, Cor contorno) {
    BITMAP* b = tela(contorno);
    pintaRelevo(b, retangulo(1, 1, 39, 39, 3), 0, 0, aco, 2, 0.35);
    Mascara painel = retangulo(8, 8, 32, 32, 2);
    pintaRelevo(b, painel, 0, 0, escurece(aco, 0.15), 2, -0.25);  // pressed in
    Mascara faixa = uniao(poligono(TAM_CELULA, TAM_CELULA, {8, 18, 32, 18, 32, 22, 8, 22}),
                          poligono(TAM_CELULA, TAM_CELULA, {18, 8, 22, 8, 22, 32, 18, 32}));
    pintaRelevo(b, intersecao(faixa, painel), 0, 0, aco, 1, 0.3);
    for (int cx : {4, 35})
        for (int cy : {4, 35}) {
            pinta(b, circulo(TAM_CELULA, TAM_CELULA, cx + 0.5, cy + 0.5, 1.8), 0, 0, escurece(aco, 0.5));
            poeCor(b, cx, cy, clareia(aco, 0.7));
        }
    granula(b, 31, 0.05);
    return b;
}

// The blue frame around the board: glazed tiles, calm enough for the grey
// footer text the game prints over the bottom row.
BITMAP* azul() {
    BITMAP* b = tela(escurece(AZUL, 0.45));
    pintaRelevo(b, retangulo(0.5, 0.5, 39.5, 39.5, 2), 0, 0, AZUL, 2, 0.22);
    granula(b, 41, 0.05);
    return b;
}

}  // namespace

BITMAP* desenhaPeca(Peca p) {
    switch (p) {
        case Peca::preto:
            return tela(NOITE);
        case Peca::parede:
            return parede();
        case Peca::chao:
            return piso(AREIA, AREIA_JUNTA, 5);
        case Peca::chaoX: {
            BITMAP* b = piso(AREIA, AREIA_JUNTA, 5);
            marcaAlvo(b, VERDE);
            return b;
        }
        case Peca::chao2:
            return piso(LOUSA, LOUSA_JUNTA, 7);
        case Peca::chaoX2: {
            BITMAP* b = piso(LOUSA, LOUSA_JUNTA, 7);
            marcaAlvo(b, VERMELHO);
            return b;
        }
        case Peca::azul:
            return azul();
        case Peca::box:
            return caixote(MADEIRA, escurece(MADEIRA, 0.6));
        case Peca::boxVerde:
            return caixote(VERDE, escurece(VERDE, 0.6));
        case Peca::box2:
            return caixaAco(ACO, escurece(ACO, 0.65));
        case Peca::boxVerm:
            return caixaAco(VERMELHO, escurece(VERMELHO, 0.65));
    }
    return nullptr;
}
