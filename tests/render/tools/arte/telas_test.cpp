// Menu backgrounds, lit pictures, padlocks, the new-game dialog, the
// level-complete picture, the hero and the in-game buttons against the
// places the game draws them, and the boards behind the level pictures of
// the select pages, which come from the level table itself with the tile
// set of each level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "apoio.h"
#include "fontes_arte.h"
#include "play/fase.h"
#include "screen/botoesJogo.h"
#include "screen/layout.h"
#include "screen/tela.h"
#include "telas.h"

namespace {


// Soft edges blended against the mask colour would show as pink fringes.
TEST(Telas, NoPictureHasPinkFringes) {
    // Every picture of the screens: what the generator writes but the tiles and fonts.
    std::set<std::string> vistas, pasta;
    for (const std::string& n : leArquivos(std::string(ZEPKO_ARTE_DADOS) + "/arquivos.txt")) {
        if (n.rfind("img/", 0) != 0 || n.rfind("img/mapa/", 0) == 0) continue;
        SCOPED_TRACE(n);
        vistas.insert(n);
        Bitmap b = n.compare(n.size() - 4, 4, ".gif") == 0 ? carregaGif(n) : carregaBmp(n);
        ASSERT_NE(b, nullptr);
        int rosados = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) {
                Rgb c = pixel(b.get(), x, y);
                bool quaseMagenta = c.r > c.g + 60 && c.b > c.g + 60 && std::abs(c.r - c.b) < 60;
                rosados += quaseMagenta && !(c == Rgb{255, 0, 255});
            }
        EXPECT_EQ(rosados, 0);
    }
    // Each picture the game finds in its img/ folder was looked at.
    for (const auto& e : std::filesystem::directory_iterator(noJogo("img")))
        if (e.is_regular_file()) pasta.insert("img/" + e.path().filename().string());
    EXPECT_EQ(vistas, pasta);
}

TEST(Telas, BackgroundsFillTheScreen) {
    for (const char* nome : {"img/ZepkoLogo.bmp", "img/stgs.bmp", "img/stgs2.bmp"}) {
        Bitmap b = carregaBmp(nome);
        ASSERT_NE(b, nullptr) << nome;
        EXPECT_EQ(b->w, LARGURA_TELA) << nome;
        EXPECT_EQ(b->h, ALTURA_TELA) << nome;
    }
}

TEST(Telas, EveryButtonFaceLiesInsideTheAreaThatReactsToIt) {
    // The buttons the game's screens react to: "<name>.area" in the layout.
    Layout l = layoutDasTelas();
    for (const auto& [area, a] : l) {
        if (area.size() < 5 || area.compare(area.size() - 5, 5, ".area") != 0) continue;
        const std::string nome = area.substr(0, area.size() - 5);
        SCOPED_TRACE(nome);
        const auto& f = campo(l, nome, 4);
        EXPECT_GE(f[0], a[0]);
        EXPECT_GE(f[1], a[1]);
        EXPECT_LE(f[2], a[2]);
        EXPECT_LE(f[3], a[3]);
        // and fills most of it, so the whole area looks clickable
        EXPECT_GT((f[2] - f[0] + 1) * (f[3] - f[1] + 1), (a[2] - a[0] + 1) * (a[3] - a[1] + 1) * 3 / 4);
    }
}

struct Acesa {
    const char* arquivo;
    const char* fundo;  // what the game has drawn under it
    const char* canto;  // the entry of where the game draws it
    const char* area;   // the area it lights
};

const Acesa ACESAS[] = {
    {"img/x.bmp", "img/ZepkoLogo.bmp", "marca.figura", "jogar.area"},
    {"img/x.bmp", "img/ZepkoLogo.bmp", "marca.sair", "sair.area"},
    {"img/setaDir2.bmp", "img/stgs.bmp", "setaDir.figura", "setaDir.area"},
    {"img/novo jogo.bmp", "img/stgs.bmp", "novo.figura", "novo.area"},
    {"img/bonus.bmp", "img/stgs2.bmp", "bonus.figura", "bonus.area"},
    {"img/setaEsq2.bmp", "img/stgs2.bmp", "setaEsq.figura", "setaEsq.area"},
};

// A lit picture must line up with the art under it: its rim matches the
// background there, and what it changes lies at its button.
TEST(Telas, LitPicturesLineUpWithTheArtUnderThem) {
    for (const Acesa& a : ACESAS) {
        const Ponto p = pontoDe(a.canto);
        const Retangulo area = retanguloDe(a.area);
        SCOPED_TRACE(std::string(a.arquivo) + " at " + std::to_string(p.x) + "," + std::to_string(p.y));
        Bitmap fundo = carregaBmp(a.fundo), acesa = carregaBmp(a.arquivo);
        ASSERT_TRUE(fundo && acesa);
        Bitmap tela(create_bitmap(LARGURA_TELA, ALTURA_TELA));
        blit(fundo.get(), tela.get(), 0, 0, 0, 0, LARGURA_TELA, ALTURA_TELA);
        draw_sprite(tela.get(), acesa.get(), p.x, p.y);
        int bordaDiferente = 0, mudados = 0, longe = 0;
        for (int y = p.y; y < p.y + acesa->h; ++y)
            for (int x = p.x; x < p.x + acesa->w; ++x) {
                bool mudou = getpixel(tela.get(), x, y) != getpixel(fundo.get(), x, y);
                bool borda = x == p.x || y == p.y || x == p.x + acesa->w - 1 || y == p.y + acesa->h - 1;
                bordaDiferente += borda && mudou;
                mudados += mudou;
                // the marker of the title screen stands left of its button
                bool perto = x >= std::min(area.x1, p.x) - 6 && x <= area.x2 + 6 && y >= area.y1 - 6 &&
                             y <= area.y2 + 6;
                longe += mudou && !perto;
            }
        EXPECT_EQ(bordaDiferente, 0);
        EXPECT_EQ(longe, 0);
        EXPECT_GT(mudados, 150);  // it visibly lights
    }
}

TEST(Telas, RestingArrowsMatchTheBackgroundUnderThem) {
    struct Seta {
        const char* arquivo;
        const char* fundo;
        const char* canto;  // where the game draws it
    };
    for (const Seta& s : {Seta{"img/setaDir.bmp", "img/stgs.bmp", "setaDir.figura"},
                          Seta{"img/setaEsq.bmp", "img/stgs2.bmp", "setaEsq.figura"}}) {
        SCOPED_TRACE(s.arquivo);
        const Ponto p = pontoDe(s.canto);
        Bitmap f = carregaBmp(s.fundo), seta = carregaBmp(s.arquivo), acesa = carregaBmp(std::string(s.arquivo).insert(11, "2"));
        ASSERT_TRUE(f && seta && acesa);
        int diferentes = 0, acesas = 0;
        for (int y = 0; y < seta->h; ++y)
            for (int x = 0; x < seta->w; ++x) {
                diferentes += getpixel(seta.get(), x, y) != getpixel(f.get(), p.x + x, p.y + y);
                acesas += getpixel(seta.get(), x, y) != getpixel(acesa.get(), x, y);
            }
        EXPECT_EQ(diferentes, 0);
        EXPECT_GT(acesas, 100);
    }
}

// A locked level's padlock covers the play mark of its caption slot, and
// sits on the caption plate, not on the level's picture.
TEST(Telas, PadlocksCoverThePlayMarkOfTheirSlot) {
    Bitmap cadeado = carregaGif("img/cadeado.gif");
    ASSERT_NE(cadeado, nullptr);
    auto verde = [](Rgb c) { return c.g > c.r + 40 && c.g > c.b + 40; };
    // Levels 2 to 8 on the first page, 9 on the second: level 1 is never locked.
    for (int n = 2; n <= 9; ++n) {
        const Ponto c = pontoDe(("legenda" + std::to_string(n)).c_str());
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        Bitmap fundo = carregaBmp(n <= 8 ? "img/stgs.bmp" : "img/stgs2.bmp");
        ASSERT_NE(fundo, nullptr);
        int marcaAntes = 0, marcaDepois = 0;
        for (int y = c.y; y < c.y + cadeado->h; ++y)
            for (int x = c.x; x < c.x + cadeado->w; ++x) marcaAntes += verde(pixel(fundo.get(), x, y));
        draw_sprite(fundo.get(), cadeado.get(), c.x, c.y);
        for (int y = c.y - 2; y < c.y + cadeado->h + 2; ++y)
            for (int x = c.x - 2; x < c.x + cadeado->w + 2; ++x) marcaDepois += verde(pixel(fundo.get(), x, y));
        EXPECT_GT(marcaAntes, 20);
        EXPECT_EQ(marcaDepois, 0);
    }
}

// A picture drawn with its corner at `p` lies inside `r`.
void cabeEm(const Bitmap& b, Ponto p, Retangulo r) {
    EXPECT_GE(p.x, r.x1);
    EXPECT_GE(p.y, r.y1);
    EXPECT_LE(p.x + b->w - 1, r.x2);
    EXPECT_LE(p.y + b->h - 1, r.y2);
}

// The game draws the box, then the question, then the divider's three
// lines, then the lit yes/no over it.
TEST(Dialogo, QuestionFitsTheBoxAndLeavesRoomForTheLines) {
    Bitmap q = carregaBmp("img/telaNovoJogo.bmp");
    ASSERT_NE(q, nullptr);
    const Ponto p = pontoDe("dialogo.figura");
    const Retangulo caixa = retanguloDe("dialogo"), linha = retanguloDe("dialogo.divisoria");
    cabeEm(q, p, caixa);
    EXPECT_GE(p.x + q->w - 1, LARGURA_TELA / 2);  // reaches the middle
    int sobLinhas = 0;
    for (int y = linha.y1 - 1; y <= linha.y1 + 1; ++y)
        for (int x = std::max(p.x, linha.x1); x < p.x + q->w && x <= linha.x2; ++x)
            sobLinhas += !(pixel(q.get(), x - p.x, y - p.y) == Rgb{0, 0, 0});
    EXPECT_EQ(sobLinhas, 0);

    Bitmap tela(create_bitmap(LARGURA_TELA, ALTURA_TELA));
    clear_to_color(tela.get(), makecol(0, 0, 0));
    draw_sprite(tela.get(), q.get(), p.x, p.y);
    struct Botao {
        const char* arquivo;
        const char* canto;  // where the game draws it
        const char* area;   // where it takes the click
    };
    for (const Botao& botao : {Botao{"img/sim.bmp", "sim.figura", "sim.area"}, Botao{"img/nao.bmp", "nao.figura", "nao.area"}}) {
        SCOPED_TRACE(botao.arquivo);
        const Ponto b = pontoDe(botao.canto);
        const Retangulo area = retanguloDe(botao.area);
        Bitmap lit = carregaBmp(botao.arquivo);
        ASSERT_NE(lit, nullptr);
        int borda = 0, mudados = 0, dentro = 0;
        for (int y = 0; y < lit->h; ++y)
            for (int x = 0; x < lit->w; ++x) {
                bool mudou = getpixel(lit.get(), x, y) != getpixel(tela.get(), b.x + x, b.y + y);
                borda += mudou && (x == 0 || y == 0 || x == lit->w - 1 || y == lit->h - 1);
                mudados += mudou;
                int sx = b.x + x, sy = b.y + y;
                dentro += mudou && area.contem(sx, sy);
            }
        EXPECT_EQ(borda, 0);
        EXPECT_GT(mudados, 100);
        EXPECT_GT(dentro, mudados / 2);
        EXPECT_LT(b.y + lit->h - 1, caixa.y2);
        EXPECT_GT(b.y, linha.y1 + 1);
    }
}

TEST(Parabens, FitsThePanelAboveItsDividerOnBlack) {
    Bitmap p = carregaBmp("img/parabens.bmp");
    ASSERT_NE(p, nullptr);
    const Ponto canto = pontoDe("parabens.figura");
    const Retangulo painel = retanguloDe("conclusao");
    // inside the outline, above the divider's top line
    cabeEm(p, canto, {painel.x1 + 1, painel.y1 + 1, painel.x2 - 1, retanguloDe("conclusao.divisoria").y1 - 2});
    EXPECT_EQ(canto.x + p->w / 2, LARGURA_TELA / 2);  // centred in the panel
    int bordaClara = 0, tinta = 0;
    for (int y = 0; y < p->h; ++y)
        for (int x = 0; x < p->w; ++x) {
            bool preto = pixel(p.get(), x, y) == Rgb{0, 0, 0};
            tinta += !preto;
            bordaClara += !preto && (x == 0 || y == 0 || x == p->w - 1 || y == p->h - 1);
        }
    EXPECT_EQ(bordaClara, 0);
    EXPECT_GT(tinta, 1000);
}

// The game draws the hero HEROI_DX right and HEROI_DY below his cell's
// corner: he stands in the cell's middle, his feet on its last row.
TEST(Heroi, FourViewsFitTheCellCentredAndStandingOnTheFloor) {
    for (const char* nome : {"zepFrente", "zepCosta", "zepDireita", "zepEsquerda"}) {
        SCOPED_TRACE(nome);
        Bitmap b = carregaGif(std::string("img/") + nome + ".gif");
        ASSERT_NE(b, nullptr);
        EXPECT_LE(b->w, TAM_CELULA - HEROI_DX);
        EXPECT_LE(b->h, TAM_CELULA - HEROI_DY);
        Caixa c = opacos(b.get());
        ASSERT_GE(c.x1, c.x0);
        double meio = (c.x0 + c.x1) / 2.0;
        EXPECT_NEAR(meio, TAM_CELULA / 2 - HEROI_DX, 1.0);
        EXPECT_GE(c.y1, TAM_CELULA - 1 - HEROI_DY - 2);
        EXPECT_LE(c.y1, TAM_CELULA - 1 - HEROI_DY);
        EXPECT_LE(HEROI_DX + c.x1, TAM_CELULA - 1);  // inside its own cell
        EXPECT_GE(c.y1 - c.y0, 28);  // tall enough to read at a glance
    }
}

TEST(Heroi, ViewsAreDistinctAndLeftMirrorsRight) {
    Bitmap frente = carregaGif("img/zepFrente.gif"), costas = carregaGif("img/zepCosta.gif");
    Bitmap direita = carregaGif("img/zepDireita.gif"), esquerda = carregaGif("img/zepEsquerda.gif");
    ASSERT_TRUE(frente && costas && direita && esquerda);
    EXPECT_GT(diferencas(frente.get(), costas.get()), 20);
    EXPECT_GT(diferencas(frente.get(), direita.get()), 20);
    ASSERT_EQ(direita->w, esquerda->w);
    int assimetrias = 0;
    for (int y = 0; y < direita->h; ++y)
        for (int x = 0; x < direita->w; ++x)
            assimetrias += getpixel(direita.get(), x, y) != getpixel(esquerda.get(), direita->w - 1 - x, y);
    EXPECT_EQ(assimetrias, 0);
}

// Undo and restart in both layouts of a level: not hovered at one corner,
// hovered at another, the same rectangle reacting to the mouse.
TEST(BotoesDaFase, PicturesCoverTheirHitRectanglesAndStayNearThem) {
    struct Caso {
        const char* arquivo;
        Ponto p;      // where the game draws it
        Retangulo a;  // the hit rectangle
    };
    for (const BotoesJogo& l : {BOTOES_PADRAO, BOTOES_BONUS})
        for (const Caso& c : {Caso{"img/voltar2.gif", l.voltar.normal, l.voltar.area}, {"img/voltar.gif", l.voltar.sobre, l.voltar.area},
                              {"img/replay2.gif", l.reiniciar.normal, l.reiniciar.area}, {"img/replay.gif", l.reiniciar.sobre, l.reiniciar.area}}) {
            SCOPED_TRACE(std::string(c.arquivo) + " at " + std::to_string(c.p.x) + "," + std::to_string(c.p.y));
            Bitmap b = carregaGif(c.arquivo);
            ASSERT_NE(b, nullptr);
            int dentro = 0, fora = 0;
            for (int y = 0; y < b->h; ++y)
                for (int x = 0; x < b->w; ++x) {
                    if (magenta(b.get(), x, y)) continue;
                    int sx = c.p.x + x, sy = c.p.y + y;
                    fora += !Retangulo{c.a.x1 - 3, c.a.y1 - 6, c.a.x2 + 3, c.a.y2 + 3}.contem(sx, sy);
                    dentro += c.a.contem(sx, sy);
                }
            EXPECT_EQ(fora, 0);
            EXPECT_GT(dentro, (c.a.x2 - c.a.x1 + 1) * (c.a.y2 - c.a.y1 + 1) * 8 / 10);
        }
}

bool blocoIgual(BITMAP* tab, int cx, int cy, BITMAP* peca) {
    for (int y = 0; y < TAM_CELULA; ++y)
        for (int x = 0; x < TAM_CELULA; ++x)
            if (getpixel(tab, TAM_CELULA * cx + x, TAM_CELULA * cy + y) != getpixel(peca, x, y)) return false;
    return true;
}

TEST(Miniaturas, EveryBoardShowsItsLevelsTilesBoxesAndHero) {
    Telas telas({ZEPKO_ARTE_DADOS, "", ZEPKO_TIPO_TITULO, ZEPKO_TIPO_TEXTO, ""});
    for (const DadosFase& f : tabelaFases) {
        SCOPED_TRACE("level " + std::to_string(f.numero));
        bool bonus = f.conjuntoPecas == Estilo::bonus;
        Bitmap tab(telas.tabuleiro(f.numero));
        ASSERT_NE(tab, nullptr);
        Bitmap pecas[] = {carregaBmp("img/mapa/preto.bmp"),
                       carregaBmp("img/mapa/parede.bmp"),
                       carregaBmp(bonus ? "img/mapa/chao2.bmp" : "img/mapa/chao.bmp"),
                       carregaBmp(bonus ? "img/mapa/chaoX2.bmp" : "img/mapa/chaoX.bmp"),
                       carregaBmp("img/mapa/azul.bmp")};
        Bitmap caixa = carregaBmp(bonus ? "img/mapa/box2.bmp" : "img/mapa/box.bmp");
        Bitmap caixaNoAlvo = carregaBmp(bonus ? "img/mapa/boxVerm.bmp" : "img/mapa/boxVerde.bmp");
        int erradas = 0;
        for (int y = 0; y < LINHAS; ++y)
            for (int x = 0; x < COLUNAS; ++x) {
                Celula c{x, y};
                int k = 0;
                while (k < f.numCaixas && f.inicioCaixas[size_t(k)] != c) ++k;
                int codigo = (*f.mapa)[y][x];
                BITMAP* esperada = k < f.numCaixas ? (codigo == ALVO ? caixaNoAlvo.get() : caixa.get())
                                                   : pecas[codigo].get();
                if (c == f.inicioHeroi) continue;
                erradas += !blocoIgual(tab.get(), x, y, esperada);
            }
        EXPECT_EQ(erradas, 0);
        // the hero stands on his start cell, drawn as the game draws him
        EXPECT_FALSE(blocoIgual(tab.get(), f.inicioHeroi.x, f.inicioHeroi.y, pecas[CHAO].get()));
        Bitmap heroi = carregaGif("img/zepFrente.gif");
        ASSERT_NE(heroi, nullptr);
        int hx = TAM_CELULA * f.inicioHeroi.x + HEROI_DX, hy = TAM_CELULA * f.inicioHeroi.y + HEROI_DY;
        int iguais = 0, opacos = 0;
        for (int y = 0; y < heroi->h; ++y)
            for (int x = 0; x < heroi->w; ++x) {
                if (magenta(heroi.get(), x, y)) continue;
                ++opacos;
                iguais += getpixel(heroi.get(), x, y) == getpixel(tab.get(), hx + x, hy + y);
            }
        EXPECT_EQ(iguais, opacos);
    }
}

}  // namespace
