#include "telas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "pecas.h"
#include "play/fase.h"

namespace {

// Palette of the menus; the board's own colours come from pecas.cpp.
constexpr Cor CEU_ALTO{34, 40, 74};
constexpr Cor CEU_BAIXO{12, 14, 26};
constexpr Cor PLACA{30, 34, 58};
constexpr Cor PLACA_BORDA{78, 88, 134};
constexpr Cor TINTA{40, 28, 36};
constexpr Cor CREME{252, 244, 222};
constexpr Cor OURO_ALTO{255, 228, 124};
constexpr Cor OURO_BAIXO{236, 128, 40};
constexpr Cor AZUL_ALTO{84, 130, 228};
constexpr Cor AZUL_BAIXO{38, 68, 160};
constexpr Cor VERMELHO_ALTO{240, 96, 84};
constexpr Cor VERMELHO_BAIXO{156, 34, 40};
constexpr Cor VERDE_OK{181, 230, 29};   // the labels of the level-complete panel
constexpr Cor NOITE{16, 18, 30};        // preto.bmp, behind the in-game buttons
constexpr Cor PRETO{0, 0, 0};

constexpr int TELA_W = 800, TELA_H = 600;

struct Ret {
    int x0, y0, x1, y1;
    int w() const { return x1 - x0 + 1; }
    int h() const { return y1 - y0 + 1; }
};

Ret face(const Layout& l, const std::string& nome) {
    auto& v = campo(l, nome, 4);
    return {v[0], v[1], v[2], v[3]};
}

BITMAP* novo(int w, int h, Cor c) {
    BITMAP* b = create_bitmap_ex(32, w, h);
    clear_to_color(b, makecol_depth(32, c.r, c.g, c.b));
    return b;
}

// A mask with room around it, for outlines and shadows.
Mascara comMargem(const Mascara& m, int p) {
    Mascara r(m.w + 2 * p, m.h + 2 * p);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) r.ref(x + p, y + p) = uint8_t(m.em(x, y));
    return r;
}

// Outlined, shadowed lettering; (x, y) is the text's top-left corner.
void letreiro(BITMAP* b, const Tipo& t, const std::string& texto, int x, int y, Cor alto, Cor baixo,
              int contorno, int sombra) {
    const int p = contorno + sombra + 2;
    Mascara m = comMargem(t.mascara(texto), p);
    Mascara borda = contorno ? dilata(m, contorno) : m;
    if (sombra) pinta(b, escala(desloca(borda, sombra, sombra + 1), 0.55), x - p, y - p, PRETO);
    if (contorno) pinta(b, borda, x - p, y - p, TINTA);
    int topo = p + 2, base = m.h - p - 2;
    pintaGradiente(b, m, x - p, y - p, alto, baixo, topo, base);
}

// The night backdrop of every menu: a gradient over faint 40-pixel slabs,
// the board's grid seen in the dark.
void fundoNoite(BITMAP* b) {
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) {
            Cor c = mistura(CEU_ALTO, CEU_BAIXO, double(y) / b->h);
            bool junta = x % TAM_CELULA == 0 || y % TAM_CELULA == 0;
            bool escura = ((x / TAM_CELULA) + (y / TAM_CELULA)) % 2;
            if (junta) c = escurece(c, 0.22);
            else if (escura) c = escurece(c, 0.06);
            poeCor(b, x, y, c);
        }
}

// A rounded panel with a lit top-left rim; `r` is inclusive.
void placa(BITMAP* b, Ret r, Cor fundo, Cor borda, double raio) {
    int w = r.w() + 8, h = r.h() + 8;
    Mascara fora = retanguloArredondado(w, h, 4, 4, 4 + r.w(), 4 + r.h(), raio);
    Mascara dentro = retanguloArredondado(w, h, 6, 6, 2 + r.w(), 2 + r.h(), std::max(0.0, raio - 2));
    pinta(b, escala(desloca(dilata(fora, 2), 2, 3), 0.5), r.x0 - 4, r.y0 - 4, PRETO);
    pintaRelevo(b, fora, r.x0 - 4, r.y0 - 4, borda, 1, 0.35);
    pinta(b, dentro, r.x0 - 4, r.y0 - 4, fundo);
}

// Area-averaged reduction; magenta source pixels count as transparent.
BITMAP* reduz(BITMAP* src, int sx, int sy, int sw, int sh, int w, int h) {
    BITMAP* b = create_bitmap_ex(32, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double fx0 = sx + double(x) * sw / w, fx1 = sx + double(x + 1) * sw / w;
            double fy0 = sy + double(y) * sh / h, fy1 = sy + double(y + 1) * sh / h;
            double r = 0, g = 0, bl = 0, peso = 0, total = 0;
            for (int j = int(fy0); j < int(std::ceil(fy1)); ++j)
                for (int i = int(fx0); i < int(std::ceil(fx1)); ++i) {
                    double a = (std::min<double>(i + 1, fx1) - std::max<double>(i, fx0)) *
                               (std::min<double>(j + 1, fy1) - std::max<double>(j, fy0));
                    total += a;
                    Cor c = leCor(src, i, j);
                    if (c.r == 255 && c.g == 0 && c.b == 255) continue;
                    r += c.r * a;
                    g += c.g * a;
                    bl += c.b * a;
                    peso += a;
                }
            if (peso < total / 2)
                poeCor(b, x, y, {255, 0, 255});
            else
                poeCor(b, x, y, {int(std::lround(r / peso)), int(std::lround(g / peso)), int(std::lround(bl / peso))});
        }
    return b;
}

Mascara triangulo(int w, int h, double x0, double y0, double x1, double y1, bool direita) {
    double ym = (y0 + y1) / 2;
    if (direita) return poligono(w, h, {x0, y0, x1, ym, x0, y1});
    return poligono(w, h, {x1, y0, x0, ym, x1, y1});
}

// A thick arc from angle a0 to a1 (degrees, counter-clockwise from east,
// y pointing down as on screen), as a polygon.
Mascara arco(int w, int h, double cx, double cy, double raio, double espessura, double a0, double a1) {
    std::vector<double> p;
    const int passos = 40;
    for (int i = 0; i <= passos; ++i) {
        double a = (a0 + (a1 - a0) * i / passos) * M_PI / 180;
        p.push_back(cx + (raio + espessura / 2) * std::cos(a));
        p.push_back(cy - (raio + espessura / 2) * std::sin(a));
    }
    for (int i = passos; i >= 0; --i) {
        double a = (a0 + (a1 - a0) * i / passos) * M_PI / 180;
        p.push_back(cx + (raio - espessura / 2) * std::cos(a));
        p.push_back(cy - (raio - espessura / 2) * std::sin(a));
    }
    return poligono(w, h, p);
}

}  // namespace

Telas::Telas(const Origens& o)
    : figuras_(leFiguras(o.dados + "/figuras.txt")),
      layout_(layoutDasTelas()),
      logo_(o.tipoTitulo, 120, &LINHA_TITULO),
      tituloGrande_(o.tipoTitulo, 40, &LINHA_TITULO),
      titulo_(o.tipoTitulo, 22, &LINHA_TITULO),
      destaque_(o.tipoTitulo, 32, &LINHA_TITULO),
      botao_(o.tipoTitulo, 26, &LINHA_TITULO),
      pequeno_(o.tipoTitulo, 15, &LINHA_TITULO),
      texto_(o.tipoTexto, 16) {
    for (const char* n : {"zepFrente", "zepCosta", "zepDireita", "zepEsquerda", "cadeado"})
        sprites_[n] = Bitmap(figuraBitmap(figuras_, n));
}

Telas::~Telas() = default;

BITMAP* Telas::peca(int codigo) {
    auto it = pecas_.find(codigo);
    if (it != pecas_.end()) return it->second.get();
    static const Peca tabela[] = {Peca::preto, Peca::parede, Peca::chao,  Peca::chaoX,  Peca::azul, Peca::box,
                                  Peca::boxVerde, Peca::chao2, Peca::chaoX2, Peca::box2, Peca::boxVerm};
    return pecas_.emplace(codigo, Bitmap(desenhaPeca(tabela[codigo]))).first->second.get();
}

BITMAP* Telas::tabuleiro(int numero) {
    const DadosFase& f = tabelaFases.at(size_t(numero - 1));
    bool bonus = f.conjuntoPecas == Estilo::bonus;
    BITMAP* b = novo(TELA_W, TELA_H, PRETO);
    for (int y = 0; y < LINHAS; ++y)
        for (int x = 0; x < COLUNAS; ++x) {
            int c = (*f.mapa)[y][x];
            if (bonus && (c == CHAO || c == ALVO)) c += 5;  // chao2, chaoX2
            blit(peca(c), b, 0, 0, TAM_CELULA * x, TAM_CELULA * y, TAM_CELULA, TAM_CELULA);
        }
    for (int i = 0; i < f.numCaixas; ++i) {
        Celula c = f.inicioCaixas[size_t(i)];
        bool noAlvo = (*f.mapa)[c.y][c.x] == ALVO;
        int codigo = bonus ? (noAlvo ? 10 : 9) : (noAlvo ? 6 : 5);
        blit(peca(codigo), b, 0, 0, TAM_CELULA * c.x, TAM_CELULA * c.y, TAM_CELULA, TAM_CELULA);
    }
    draw_sprite(b, sprites_["zepFrente"].get(), TAM_CELULA * f.inicioHeroi.x + HEROI_DX,
                TAM_CELULA * f.inicioHeroi.y + HEROI_DY);
    return b;
}

BITMAP* Telas::recorte(BITMAP* cena, const std::string& chave) {
    auto& v = campo(layout_, chave + ".figura", 4);
    BITMAP* b = create_bitmap_ex(32, v[2], v[3]);
    blit(cena, b, v[0], v[1], 0, 0, v[2], v[3]);
    return b;
}

void Telas::pilula(BITMAP* b, const std::string& nome, const std::string& texto, const Tipo& t, bool acesa,
                   bool vermelha) {
    Ret r = face(layout_, nome);
    const int p = 6;
    int w = r.w() + 2 * p, h = r.h() + 2 * p;
    double raio = std::min(r.h() / 2.0, 12.0);
    Mascara m = retanguloArredondado(w, h, p, p, p + r.w(), p + r.h(), raio);
    Cor alto = vermelha ? VERMELHO_ALTO : AZUL_ALTO, baixo = vermelha ? VERMELHO_BAIXO : AZUL_BAIXO;
    if (acesa) {
        pinta(b, escala(dilata(m, 2), 0.55), r.x0 - p, r.y0 - p, OURO_ALTO);
        alto = clareia(alto, 0.25);
        baixo = clareia(baixo, 0.2);
    } else {
        pinta(b, escala(desloca(m, 1, 2), 0.6), r.x0 - p, r.y0 - p, PRETO);
    }
    pinta(b, dilata(m, 1), r.x0 - p, r.y0 - p, TINTA);
    pintaGradiente(b, m, r.x0 - p, r.y0 - p, alto, baixo, p, p + r.h());
    Mascara brilho = intersecao(m, retanguloArredondado(w, h, p + 3, p + 1.5, p + r.w() - 3, p + r.h() / 2.0, std::min(raio - 1, r.h() / 4.0)));
    pinta(b, escala(brilho, 0.18), r.x0 - p, r.y0 - p, {255, 255, 255});
    Mascara letras = t.mascara(texto);
    int tx = r.x0 + (r.w() - letras.w) / 2, ty = r.y0 + (r.h() - letras.h) / 2;
    pinta(b, escala(desloca(letras, 1, 1), 0.7), tx, ty, TINTA);
    pinta(b, letras, tx, ty, acesa ? Cor{255, 250, 200} : CREME);
}

void Telas::seta(BITMAP* b, const std::string& nome, bool direita, bool acesa) {
    Ret r = face(layout_, nome);
    const int p = 6;
    int w = r.w() + 2 * p, h = r.h() + 2 * p;
    double x0 = p + 1, x1 = p + r.w() - 1, y0 = p + 1, y1 = p + r.h() - 1, ym = (y0 + y1) / 2;
    double ponta = r.h() * 1.0, haste = r.h() * 0.22;
    std::vector<double> pts;
    if (direita)
        pts = {x0, ym - haste, x1 - ponta, ym - haste, x1 - ponta, y0, x1, ym,
               x1 - ponta, y1, x1 - ponta, ym + haste, x0, ym + haste};
    else
        pts = {x1, ym - haste, x0 + ponta, ym - haste, x0 + ponta, y0, x0, ym,
               x0 + ponta, y1, x0 + ponta, ym + haste, x1, ym + haste};
    Mascara m = poligono(w, h, pts);
    if (acesa) pinta(b, escala(dilata(m, 4), 0.4), r.x0 - p, r.y0 - p, OURO_ALTO);
    else pinta(b, escala(desloca(dilata(m, 1), 2, 2), 0.6), r.x0 - p, r.y0 - p, PRETO);
    pinta(b, dilata(m, 1), r.x0 - p, r.y0 - p, TINTA);
    Cor alto = acesa ? Cor{255, 248, 190} : OURO_ALTO, baixo = acesa ? Cor{255, 176, 60} : OURO_BAIXO;
    pintaGradiente(b, m, r.x0 - p, r.y0 - p, alto, baixo, int(y0), int(y1));
}

void Telas::tituloPagina(BITMAP* b, const std::string& chave, const std::string& texto) {
    auto& v = campo(layout_, chave, 2);
    Mascara m = tituloGrande_.mascara(texto);
    letreiro(b, tituloGrande_, texto, v[0] - m.w / 2, v[1], OURO_ALTO, OURO_BAIXO, 2, 2);
}

void Telas::cartao(BITMAP* b, int numero, const std::string& nome) {
    Ret r = face(layout_, nome);
    placa(b, r, PLACA, PLACA_BORDA, 8);
    // the part of the map inside the walls, shrunk to fit the card
    const DadosFase& f = tabelaFases.at(size_t(numero - 1));
    int cx0 = COLUNAS, cy0 = LINHAS, cx1 = 0, cy1 = 0;
    for (int y = 0; y < LINHAS; ++y)
        for (int x = 0; x < COLUNAS; ++x) {
            int c = (*f.mapa)[y][x];
            if (c == PAREDE || c == CHAO || c == ALVO) {
                cx0 = std::min(cx0, x);
                cy0 = std::min(cy0, y);
                cx1 = std::max(cx1, x);
                cy1 = std::max(cy1, y);
            }
        }
    int sw = (cx1 - cx0 + 1) * TAM_CELULA, sh = (cy1 - cy0 + 1) * TAM_CELULA;
    const int margem = 9;
    double s = std::min({double(r.w() - 2 * margem) / sw, double(r.h() - 2 * margem) / sh, 0.5});
    int w = int(sw * s), h = int(sh * s);
    Bitmap tab(tabuleiro(numero));
    Bitmap mini(reduz(tab.get(), cx0 * TAM_CELULA, cy0 * TAM_CELULA, sw, sh, w, h));
    int x = r.x0 + (r.w() - w) / 2, y = r.y0 + (r.h() - h) / 2;
    // the shape of the building only: cells outside it stay the card's own
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            int mx = cx0 + int((i + 0.5) / s) / TAM_CELULA, my = cy0 + int((j + 0.5) / s) / TAM_CELULA;
            if ((*f.mapa)[my][mx] == FORA) continue;
            poeCor(b, x + i, y + j, leCor(mini.get(), i, j));
        }
}

void Telas::legenda(BITMAP* b, int numero, const std::string& chave) {
    auto& v = campo(layout_, chave, 2);
    BITMAP* cadeado = sprites_["cadeado"].get();
    std::string texto = "Fase " + std::to_string(numero);
    Mascara letras = titulo_.mascara(texto);
    int w = cadeado->w + 8 + letras.w + 12, h = cadeado->h;
    // the plate starts with the padlock's own slot, so a closed padlock
    // drawn over it sits flush
    Mascara plate = retanguloArredondado(w, h, 0, 0, w, h, 3);
    pinta(b, plate, v[0], v[1], Cor{24, 26, 44});
    pinta(b, retanguloArredondado(w, h, 1, 1, w - 1, h - 1, 2.5), v[0], v[1], Cor{36, 40, 64});
    // an open slot shows a play mark until the padlock covers it
    Mascara play = triangulo(cadeado->w, h, 10, 6.5, 22, 21.5, true);
    pinta(b, dilata(play, 1), v[0], v[1], TINTA);
    pintaGradiente(b, play, v[0], v[1], Cor{190, 240, 90}, Cor{92, 168, 40}, 6, 22);
    int ty = v[1] + (h - letras.h) / 2;
    pinta(b, escala(desloca(letras, 1, 1), 0.8), v[0] + cadeado->w + 8, ty, PRETO);
    pinta(b, letras, v[0] + cadeado->w + 8, ty, CREME);
}

BITMAP* Telas::titulo() {
    BITMAP* b = novo(TELA_W, TELA_H, PRETO);
    fundoNoite(b);
    auto& l = campo(layout_, "logo", 2);
    Mascara m = logo_.mascara("Zepko");
    letreiro(b, logo_, "Zepko", l[0] - m.w / 2, l[1], OURO_ALTO, OURO_BAIXO, 4, 5);

    // a corridor of the game itself: Zep pushing a crate towards its target
    auto& c = campo(layout_, "cena", 2);
    const int corredor[3][8] = {{1, 1, 1, 1, 1, 1, 1, 1}, {1, 2, 2, 2, 2, 3, 2, 1}, {1, 1, 1, 1, 1, 1, 1, 1}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 8; ++x) blit(peca(corredor[y][x]), b, 0, 0, c[0] + TAM_CELULA * x, c[1] + TAM_CELULA * y, TAM_CELULA, TAM_CELULA);
    blit(peca(5), b, 0, 0, c[0] + TAM_CELULA * 3, c[1] + TAM_CELULA, TAM_CELULA, TAM_CELULA);
    draw_sprite(b, sprites_["zepDireita"].get(), c[0] + TAM_CELULA * 2 + HEROI_DX,
                c[1] + TAM_CELULA + HEROI_DY);
    rect(b, c[0] - 1, c[1] - 1, c[0] + 320, c[1] + 120, makecol_depth(32, TINTA.r, TINTA.g, TINTA.b));

    for (const char* p : {"painel1", "painel2"}) placa(b, face(layout_, p), PLACA, PLACA_BORDA, 10);
    pilula(b, "jogar", "Jogar", botao_, false, false);
    pilula(b, "sair", "Sair", botao_, false, true);

    Mascara dica = texto_.mascara("Empurre todas as caixas at\xE9 os alvos!");
    pinta(b, dica, 400 - dica.w / 2, 538, Cor{170, 178, 210});
    return b;
}

BITMAP* Telas::pagina1(const std::string& acesa) {
    BITMAP* b = novo(TELA_W, TELA_H, PRETO);
    fundoNoite(b);
    tituloPagina(b, "titulo1", "Escolha uma fase");
    for (int n = 1; n <= 8; ++n) {
        cartao(b, n, "fase" + std::to_string(n));
        legenda(b, n, "legenda" + std::to_string(n));
    }
    seta(b, "setaDir", true, acesa == "setaDir2");
    pilula(b, "novo", "Novo jogo", pequeno_, acesa == "novo", false);
    return b;
}

BITMAP* Telas::pagina2(const std::string& acesa) {
    BITMAP* b = novo(TELA_W, TELA_H, PRETO);
    fundoNoite(b);
    tituloPagina(b, "titulo2", "Escolha uma fase");
    cartao(b, 9, "fase9");
    legenda(b, 9, "legenda9");
    Ret bonus = face(layout_, "bonus");
    Mascara rotulo = pequeno_.mascara("Fase extra");
    pinta(b, rotulo, (bonus.x0 + bonus.x1) / 2 - rotulo.w / 2, bonus.y0 - 26, Cor{170, 178, 210});
    pilula(b, "bonus", "B\xF4nus", titulo_, acesa == "bonus", true);
    Mascara dica = texto_.mascara("Complete as fases 1 a 9 para liberar o b\xF4nus.");
    pinta(b, dica, 400 - dica.w / 2, 420, Cor{170, 178, 210});
    seta(b, "setaEsq", false, acesa == "setaEsq2");
    return b;
}

BITMAP* Telas::dialogo(const std::string& acesa) {
    BITMAP* b = novo(TELA_W, TELA_H, PRETO);
    auto& d = campo(layout_, "dialogo.figura", 4);
    int cx = d[0] + d[2] / 2;
    Mascara m = botao_.mascara("Novo jogo?");
    letreiro(b, botao_, "Novo jogo?", cx - m.w / 2, d[1] + 10, OURO_ALTO, OURO_BAIXO, 2, 1);
    Mascara aviso = texto_.mascara("O progresso ser\xE1 perdido.");
    pinta(b, aviso, cx - aviso.w / 2, d[1] + 52, Cor{200, 206, 228});
    pilula(b, "sim", "Sim", pequeno_, acesa == "sim", false);
    pilula(b, "nao", "N\xE3o", pequeno_, acesa == "nao", true);
    return b;
}

BITMAP* Telas::parabens() {
    auto& v = campo(layout_, "parabens.figura", 4);
    BITMAP* b = novo(v[2], v[3], PRETO);
    Mascara m = destaque_.mascara("Parab\xE9ns!");
    letreiro(b, destaque_, "Parab\xE9ns!", (v[2] - m.w) / 2, 16, OURO_ALTO, OURO_BAIXO, 2, 2);
    for (int lado : {0, 1}) {  // a star on each side
        double cx = lado ? v[2] - 17 : 17, cy = 38;
        std::vector<double> pts;
        for (int i = 0; i < 10; ++i) {
            double a = (-90 + i * 36) * M_PI / 180, r = i % 2 ? 4 : 9.5;
            pts.push_back(cx + r * std::cos(a));
            pts.push_back(cy + r * std::sin(a));
        }
        Mascara estrela = poligono(v[2], v[3], pts);
        pinta(b, dilata(estrela, 1), 0, 0, TINTA);
        pintaGradiente(b, estrela, 0, 0, OURO_ALTO, OURO_BAIXO, 27, 49);
    }
    Mascara sub = texto_.mascara("Fase conclu\xED" "da!");
    pinta(b, sub, (v[2] - sub.w) / 2, 78, VERDE_OK);
    return b;
}

BITMAP* Telas::botaoJogo(bool desfazer, bool aceso) {
    // not hovered: a raised button; hovered: the same pressed in, two
    // pixels smaller, drawn two pixels further in by the game
    int w = aceso ? 34 : 36, h = aceso ? 30 : 32;
    BITMAP* b = novo(w, h, NOITE);
    Mascara corpo = retanguloArredondado(w, h, 1, 1, w - 1, h - 1, 6);
    Cor base = aceso ? Cor{236, 164, 50} : Cor{60, 92, 176};
    pinta(b, dilata(corpo, 1), 0, 0, TINTA);
    pintaRelevo(b, corpo, 0, 0, base, 2, aceso ? -0.25 : 0.3);
    double cx = w / 2.0, cy = h / 2.0 + 0.5;
    Mascara icone;
    if (desfazer) {
        Mascara volta = arco(w, h, cx + 1, cy + 1, 7, 3.4, -90, 90);
        Mascara haste = poligono(w, h, {cx - 3, cy - 7.7, cx + 1, cy - 7.7, cx + 1, cy - 4.3, cx - 3, cy - 4.3});
        Mascara ponta = poligono(w, h, {cx - 9, cy - 6, cx - 2, cy - 12, cx - 2, cy});
        Mascara base2 = poligono(w, h, {cx - 3, cy + 4.3, cx + 1, cy + 4.3, cx + 1, cy + 7.7, cx - 4, cy + 7.7});
        icone = uniao(uniao(volta, haste), uniao(ponta, base2));
    } else {
        Mascara volta = arco(w, h, cx, cy, 7.5, 3.4, 120, 420);
        double a = 120 * M_PI / 180;
        double px = cx + 7.5 * std::cos(a), py = cy - 7.5 * std::sin(a);
        Mascara ponta = poligono(w, h, {px - 5.5, py - 3, px + 4.5, py - 5.5, px + 0.5, py + 5});
        icone = uniao(volta, ponta);
    }
    pinta(b, desloca(dilata(icone, 1), 1, 1), 0, 0, escurece(base, 0.6));
    pinta(b, icone, 0, 0, aceso ? Cor{255, 250, 220} : CREME);
    // only the button is drawn: the night around it stays see-through
    Mascara todo = dilata(corpo, 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (todo.em(x, y) < 128) poeCor(b, x, y, {255, 0, 255});
    return b;
}

BITMAP* Telas::icone() {
    BITMAP* b = novo(64, 64, TINTA);
    Mascara fundo = retanguloArredondado(64, 64, 1, 1, 63, 63, 10);
    pintaGradiente(b, fundo, 0, 0, CEU_ALTO, CEU_BAIXO, 0, 64);
    blit(peca(5), b, 0, 0, 20, 14, TAM_CELULA, TAM_CELULA);
    rect(b, 20, 14, 59, 53, makecol_depth(32, TINTA.r, TINTA.g, TINTA.b));
    draw_sprite(b, sprites_["zepDireita"].get(), 1, 17);
    // hard corners: a soft edge would carry the mask colour into the icon
    Mascara todo = dilata(fundo, 1);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (todo.em(x, y) < 128) poeCor(b, x, y, {255, 0, 255});
    return b;
}

BITMAP* Telas::desenha(const std::string& nome) {
    auto cena = [](BITMAP* b) { return Bitmap(b); };
    if (nome == "img/ZepkoLogo.bmp") return titulo();
    if (nome == "img/x.bmp") {
        Bitmap c = cena(titulo());
        auto& v = campo(layout_, "marca.figura", 4);
        Mascara m = triangulo(v[2], v[3], 14, 6, 38, 30, true);
        pinta(c.get(), escala(dilata(m, 4), 0.4), v[0], v[1], OURO_ALTO);
        pinta(c.get(), dilata(m, 1), v[0], v[1], TINTA);
        pintaGradiente(c.get(), m, v[0], v[1], Cor{255, 248, 190}, OURO_BAIXO, 6, 30);
        return recorte(c.get(), "marca");
    }
    if (nome == "img/stgs.bmp") return pagina1("");
    if (nome == "img/setaDir.bmp") return recorte(cena(pagina1("")).get(), "setaDir");
    if (nome == "img/setaDir2.bmp") return recorte(cena(pagina1("setaDir2")).get(), "setaDir");
    if (nome == "img/novo jogo.bmp") return recorte(cena(pagina1("novo")).get(), "novo");
    if (nome == "img/stgs2.bmp") return pagina2("");
    if (nome == "img/bonus.bmp") return recorte(cena(pagina2("bonus")).get(), "bonus");
    if (nome == "img/setaEsq.bmp") return recorte(cena(pagina2("")).get(), "setaEsq");
    if (nome == "img/setaEsq2.bmp") return recorte(cena(pagina2("setaEsq2")).get(), "setaEsq");
    if (nome == "img/telaNovoJogo.bmp") return recorte(cena(dialogo("")).get(), "dialogo");
    if (nome == "img/sim.bmp") return recorte(cena(dialogo("sim")).get(), "sim");
    if (nome == "img/nao.bmp") return recorte(cena(dialogo("nao")).get(), "nao");
    if (nome == "img/parabens.bmp") return parabens();
    if (nome == "img/voltar2.gif") return botaoJogo(true, false);
    if (nome == "img/voltar.gif") return botaoJogo(true, true);
    if (nome == "img/replay2.gif") return botaoJogo(false, false);
    if (nome == "img/replay.gif") return botaoJogo(false, true);
    for (const char* s : {"zepFrente", "zepCosta", "zepDireita", "zepEsquerda", "cadeado"})
        if (nome == std::string("img/") + s + ".gif") return figuraBitmap(figuras_, s);
    throw std::runtime_error("no picture called " + nome);
}
