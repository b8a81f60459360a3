#include "mascara.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "base/bitmap.h"

namespace {

int arred(double v) { return int(std::lround(v)); }

int limita(int v) { return std::clamp(v, 0, 255); }

}  // namespace

Cor mistura(Cor a, Cor b, double t) {
    return {limita(arred(a.r + (b.r - a.r) * t)), limita(arred(a.g + (b.g - a.g) * t)),
            limita(arred(a.b + (b.b - a.b) * t))};
}
Cor clareia(Cor c, double t) { return mistura(c, {255, 255, 255}, t); }
Cor escurece(Cor c, double t) { return mistura(c, {0, 0, 0}, t); }

Cor leCor(BITMAP* b, int x, int y) {
    int p = getpixel(b, x, y);
    int d = bitmap_color_depth(b);
    return {getr_depth(d, p), getg_depth(d, p), getb_depth(d, p)};
}

void poeCor(BITMAP* b, int x, int y, Cor c) {
    putpixel(b, x, y, makecol_depth(bitmap_color_depth(b), c.r, c.g, c.b));
}

Mascara forma(int w, int h, const std::function<void(BITMAP* b, int s)>& desenho) {
    Bitmap grande(create_bitmap_ex(8, w * ESCALA, h * ESCALA));
    clear_to_color(grande.get(), 0);
    desenho(grande.get(), ESCALA);
    Mascara m(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int soma = 0;
            for (int j = 0; j < ESCALA; ++j)
                for (int i = 0; i < ESCALA; ++i)
                    soma += grande->line[y * ESCALA + j][x * ESCALA + i] ? 255 : 0;
            m.ref(x, y) = uint8_t(soma / (ESCALA * ESCALA));
        }
    return m;
}

Mascara retanguloArredondado(int w, int h, double x0, double y0, double x1, double y1, double raio) {
    return forma(w, h, [=](BITMAP* b, int s) {
        int ax = arred(x0 * s), ay = arred(y0 * s), bx = arred(x1 * s) - 1, by = arred(y1 * s) - 1;
        int r = arred(raio * s);
        rectfill(b, ax + r, ay, bx - r, by, 255);
        rectfill(b, ax, ay + r, bx, by - r, 255);
        circlefill(b, ax + r, ay + r, r, 255);
        circlefill(b, bx - r, ay + r, r, 255);
        circlefill(b, ax + r, by - r, r, 255);
        circlefill(b, bx - r, by - r, r, 255);
    });
}

Mascara circulo(int w, int h, double cx, double cy, double raio) {
    return forma(w, h, [=](BITMAP* b, int s) { circlefill(b, arred(cx * s), arred(cy * s), arred(raio * s), 255); });
}

Mascara poligono(int w, int h, const std::vector<double>& xy) {
    return forma(w, h, [&](BITMAP* b, int s) {
        std::vector<int> p;
        for (double v : xy) p.push_back(arred(v * s));
        polygon(b, int(p.size() / 2), p.data(), 255);
    });
}

Mascara dilata(const Mascara& m, int raio) {
    Mascara r(m.w, m.h);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            int maior = 0;
            for (int j = -raio; j <= raio; ++j)
                for (int i = -raio; i <= raio; ++i) {
                    double d = std::sqrt(double(i * i + j * j));
                    if (d > raio + 0.5) continue;
                    int v = m.em(x + i, y + j);
                    // the outer ring fades so the grown edge stays smooth
                    if (d > raio - 0.5) v = arred(v * (raio + 0.5 - d));
                    maior = std::max(maior, v);
                }
            r.ref(x, y) = uint8_t(maior);
        }
    return r;
}

Mascara desloca(const Mascara& m, int dx, int dy) {
    Mascara r(m.w, m.h);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) r.ref(x, y) = uint8_t(m.em(x - dx, y - dy));
    return r;
}

namespace {
template <class Op>
Mascara combina(const Mascara& a, const Mascara& b, Op op) {
    Mascara r(a.w, a.h);
    for (int y = 0; y < a.h; ++y)
        for (int x = 0; x < a.w; ++x) r.ref(x, y) = uint8_t(limita(op(a.em(x, y), b.em(x, y))));
    return r;
}
}  // namespace

Mascara uniao(const Mascara& a, const Mascara& b) {
    return combina(a, b, [](int p, int q) { return std::max(p, q); });
}
Mascara menos(const Mascara& a, const Mascara& b) {
    return combina(a, b, [](int p, int q) { return p * (255 - q) / 255; });
}
Mascara intersecao(const Mascara& a, const Mascara& b) {
    return combina(a, b, [](int p, int q) { return std::min(p, q); });
}
Mascara escala(const Mascara& m, double f) {
    Mascara r = m;
    for (auto& v : r.a) v = uint8_t(limita(arred(v * f)));
    return r;
}

void pintaCom(BITMAP* alvo, const Mascara& m, int x, int y, const std::function<Cor(int, int)>& cor) {
    for (int j = 0; j < m.h; ++j)
        for (int i = 0; i < m.w; ++i) {
            int v = m.em(i, j);
            int px = x + i, py = y + j;
            if (!v || px < 0 || py < 0 || px >= alvo->w || py >= alvo->h) continue;
            Cor c = cor(i, j);
            poeCor(alvo, px, py, v == 255 ? c : mistura(leCor(alvo, px, py), c, v / 255.0));
        }
}

void pinta(BITMAP* alvo, const Mascara& m, int x, int y, Cor c) {
    pintaCom(alvo, m, x, y, [c](int, int) { return c; });
}

void pintaGradiente(BITMAP* alvo, const Mascara& m, int x, int y, Cor topo, Cor base, int y0, int y1) {
    pintaCom(alvo, m, x, y, [=](int, int j) {
        double t = y1 == y0 ? 0.0 : std::clamp(double(j - y0) / (y1 - y0), 0.0, 1.0);
        return mistura(topo, base, t);
    });
}

void pintaRelevo(BITMAP* alvo, const Mascara& m, int x, int y, Cor c, int largura, double forca) {
    pinta(alvo, m, x, y, c);
    for (int k = largura; k >= 1; --k) {
        double f = forca * (largura + 1 - k) / largura;
        // lit where the shape ends just above/left, shaded where it ends below/right
        pinta(alvo, menos(m, desloca(m, k, k)), x, y, clareia(c, f));
        pinta(alvo, menos(m, desloca(m, -k, -k)), x, y, escurece(c, f));
    }
}
