// Coverage masks: every picture is built by painting soft-edged shapes and
// text through masks onto a true-colour canvas.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <functional>
#include <vector>

struct Cor {
    int r, g, b;
};

Cor mistura(Cor a, Cor b, double t);  // t = 0 gives a, 1 gives b
Cor clareia(Cor c, double t);         // towards white
Cor escurece(Cor c, double t);        // towards black

struct Mascara {
    int w = 0;
    int h = 0;
    std::vector<uint8_t> a;  // coverage 0..255, row by row

    Mascara() = default;
    Mascara(int largura, int altura) : w(largura), h(altura), a(size_t(largura) * altura, 0) {}
    int em(int x, int y) const { return x < 0 || y < 0 || x >= w || y >= h ? 0 : a[size_t(y) * w + x]; }
    uint8_t& ref(int x, int y) { return a[size_t(y) * w + x]; }
};

// Shapes are drawn with Allegro's primitives in colour 255 on an 8-bit
// bitmap `ESCALA` times larger, then averaged down: smooth edges without an
// anti-aliasing library. The callback gets the big bitmap and the scale.
constexpr int ESCALA = 4;
Mascara forma(int w, int h, const std::function<void(BITMAP* b, int s)>& desenho);

// Common shapes, in picture pixels (fractions allowed).
Mascara retanguloArredondado(int w, int h, double x0, double y0, double x1, double y1, double raio);
Mascara circulo(int w, int h, double cx, double cy, double raio);
Mascara poligono(int w, int h, const std::vector<double>& xy);

Mascara dilata(const Mascara& m, int raio);  // grows the shape by `raio` pixels
Mascara desloca(const Mascara& m, int dx, int dy);
Mascara uniao(const Mascara& a, const Mascara& b);
Mascara menos(const Mascara& a, const Mascara& b);
Mascara intersecao(const Mascara& a, const Mascara& b);
Mascara escala(const Mascara& m, double f);  // multiplies the coverage

// Paints a colour through the mask onto a true-colour bitmap at (x, y).
void pinta(BITMAP* alvo, const Mascara& m, int x, int y, Cor c);
// Vertical gradient from `topo` at mask row y0 to `base` at row y1.
void pintaGradiente(BITMAP* alvo, const Mascara& m, int x, int y, Cor topo, Cor base, int y0, int y1);
// Any colour rule: cor(x, y) in mask coordinates.
void pintaCom(BITMAP* alvo, const Mascara& m, int x, int y, const std::function<Cor(int, int)>& cor);

// A bevelled face: the shape's colour with a light rim towards the top left
// and a shadow rim towards the bottom right, the game's one light direction.
void pintaRelevo(BITMAP* alvo, const Mascara& m, int x, int y, Cor c, int largura, double forca);

Cor leCor(BITMAP* b, int x, int y);
void poeCor(BITMAP* b, int x, int y, Cor c);
