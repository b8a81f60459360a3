// A frame whose first drawing covers the screen is not cleared first, and an
// opaque picture is copied with blit rather than draw_sprite. Neither may
// change a pixel: each screen's frame is drawn the old way (cleared target,
// every picture through draw_sprite) and the new way (a target still holding
// the last frame, the cache's pictures) and the two are compared.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "apoio.h"
#include "menus/tela_menu.h"
#include "menus/fases.h"
#include "menus/fases2.h"
#include "menus/titulo.h"
#include "play/fase.h"
#include "play/partida.h"
#include "play/progresso.h"
#include "screen/cursor.h"
#include "shell/globais.h"
#include "shell/recursos.h"

namespace {

// The menus' scripted input, in the run folder with its generated pictures.
class Quadros : public TelaMenu {
protected:
    void SetUp() override {
        TelaMenu::SetUp();
        ASSERT_EQ(chdir(ZEPKO_RUN_DIR), 0);
    }
    void TearDown() override { liberaRecursos(); }

    // The same picture outside the cache, so desenha draws it with draw_sprite.
    BITMAP* copia(BITMAP* b) {
        if (!b) return nullptr;
        copias.emplace_back(create_bitmap(b->w, b->h));
        blit(b, copias.back().get(), 0, 0, 0, 0, b->w, b->h);
        return copias.back().get();
    }

    // The old frame: a cleared target, drawn by `antes`; the new one: the
    // target as the last frame left it, cleared unless the screen tells the
    // loop that its body covers it (`cobre`), drawn by `depois`. Returns how
    // many pixels differ.
    int compara(const std::function<void(BITMAP*)>& antes, bool cobre,
                const std::function<void(BITMAP*)>& depois) {
        Bitmap velho(create_bitmap(800, 600));
        clear_bitmap(velho.get());
        antes(velho.get());
        Bitmap novo(create_bitmap(800, 600));
        clear_to_color(novo.get(), makecol(255, 0, 255));
        for (int y = 0; y < 600; y += 2) hline(novo.get(), 0, y, 799, makecol(0, 255, 0));
        if (!cobre) clear_bitmap(novo.get());
        depois(novo.get());
        return ::diferencas(velho.get(), novo.get());
    }

    std::vector<Bitmap> copias;
    Bitmap cursor{makeCursor()};
    Acoes acoes;
};

TEST_F(Quadros, EveryScreenDrawsTheSamePixelsWithTheShortcutsAsWithout) {
    mx = 400, my = 370;  // over the play button
    const FigurasTitulo titulo = carregaFigurasTitulo(cursor.get());
    ASSERT_TRUE(cobreQuadro(titulo.logo)) << "the generated title picture is opaque";
    const FigurasTitulo tituloAntes{copia(titulo.logo), copia(titulo.destaque), cursor.get()};
    EstadoTitulo e1, e2;
    EXPECT_EQ(compara([&](BITMAP* a) { quadroTitulo(a, e1, tituloAntes, entrada, acoes); },
                      cobreQuadro(titulo.logo),
                      [&](BITMAP* a) { quadroTitulo(a, e2, titulo, entrada, acoes); }),
              0) << "title screen";

    // A background with one transparent pixel is still cleared under it.
    Bitmap furado(create_bitmap(800, 600));
    blit(titulo.logo, furado.get(), 0, 0, 0, 0, 800, 600);
    putpixel(furado.get(), 400, 100, makecol(255, 0, 255));
    const std::string caminho = pasta.caminho / "furado.bmp";
    ASSERT_EQ(save_bitmap(caminho.c_str(), furado.get(), pl), 0);
    const FigurasTitulo comFuro{imagem(caminho.c_str()), titulo.destaque, cursor.get()};
    EXPECT_FALSE(cobreQuadro(comFuro.logo));
    const FigurasTitulo comFuroAntes{copia(comFuro.logo), tituloAntes.destaque, cursor.get()};
    EXPECT_EQ(compara([&](BITMAP* a) { quadroTitulo(a, e1, comFuroAntes, entrada, acoes); },
                      cobreQuadro(comFuro.logo),
                      [&](BITMAP* a) { quadroTitulo(a, e2, comFuro, entrada, acoes); }),
              0) << "title picture with a transparent pixel";

    mx = 100, my = 140;  // on level 1, padlocks on 2 to 8, the box open
    const FigurasFases fases = carregaFigurasFases(cursor.get());
    const FigurasFases fasesAntes{copia(fases.fundo),
                                  copia(fases.seta),
                                  copia(fases.setaAcesa),
                                  copia(fases.novoJogoAceso),
                                  copia(fases.cadeado),
                                  {copia(fases.novoJogo.pergunta), copia(fases.novoJogo.simAceso),
                                   copia(fases.novoJogo.naoAceso)},
                                  cursor.get()};
    for (bool caixaAberta : {false, true}) {
        EstadoFases f1, f2;
        f1.novoJogo = f2.novoJogo = {caixaAberta, false, 170, 86};
        EXPECT_EQ(compara([&](BITMAP* a) { quadroFases(a, f1, fasesAntes, entrada, acoes); },
                          cobreQuadro(fases.fundo),
                          [&](BITMAP* a) { quadroFases(a, f2, fases, entrada, acoes); }),
                  0) << "first level-select page, new-game box open: " << caixaAberta;
    }

    mx = 737, my = 547;  // on the bonus button, level 9 locked
    const FigurasFases2 fases2 = carregaFigurasFases2(cursor.get());
    const FigurasFases2 fases2Antes{copia(fases2.fundo), copia(fases2.bonusAceso),
                                    copia(fases2.seta),  copia(fases2.setaAcesa),
                                    copia(fases2.cadeado), cursor.get()};
    EstadoFases2 g1, g2;
    EXPECT_EQ(compara([&](BITMAP* a) { quadroFases2(a, g1, fases2Antes, entrada, acoes); },
                      cobreQuadro(fases2.fundo),
                      [&](BITMAP* a) { quadroFases2(a, g2, fases2, entrada, acoes); }),
              0) << "second level-select page";

    // Level play tells the loop that it always covers the frame: it starts
    // with its board, drawn once from the tiles. The old frame draws the
    // panel and the music lines afresh; the new one puts back the panel
    // drawn at level entry and finds the footer and the frame's outlines in
    // the board. A first frame runs, then the clock, the counters and the
    // track change.
    mx = 110, my = 60;  // on the undo button of the standard layout
    for (int fase : {1, 10}) {
        const DadosFase& dados = tabelaFases[fase - 1];
        const RecursosFase r = carregaRecursosFase(dados.conjuntoPecas);
        RecursosFase rAntes = r;
        for (BITMAP*& b : rAntes.pecas) b = copia(b);
        for (BITMAP*& b : rAntes.heroi) b = copia(b);
        for (BITMAP** b : {&rAntes.caixa, &rAntes.caixaNoAlvo, &rAntes.voltar, &rAntes.voltar2,
                           &rAntes.replay, &rAntes.replay2})
            *b = copia(*b);
        Partida p1(dados, rAntes), p2(dados, r);
        Bitmap rascunho(create_bitmap(800, 600));
        for (Partida* p : {&p1, &p2}) {
            p->entrada.mouseX = &mx;
            p->entrada.mouseY = &my;
            p->entrada.mouseB = &mb;
            p->entrada.teclas = teclas;
            p->entrada.teclaEsperando = [] { return false; };
            p->estado.faixa = 3;
            p->estado.minutos = 12;
            p->estado.segundos = 34;
            quadroPartida(*p, rascunho.get());
            p->estado.faixa = 5;
            p->estado.passos = 98765;
            p->estado.movimentos = 4321;
            p->estado.segundos = 5;
        }
        // The state the new frame draws with, reached by one frame.
        quadroPartida(p1, rascunho.get());
        const EstadoFase& s = p1.estado;
        auto quadroAntigo = [&](BITMAP* a) {
            Bitmap tabuleiro(create_bitmap(800, 600));
            clear_bitmap(tabuleiro.get());
            preRenderiza(tabuleiro.get(), *dados.mapa, rAntes);
            blit(tabuleiro.get(), a, 0, 0, 0, 0, 800, 600);
            if (dados.layoutBotoes == Estilo::padrao)
                desenhaBotoes(a, Estilo::padrao, rAntes, mx, my);
            desenhaCaixas(a, s, rAntes);
            desenhaHeroi(a, s, rAntes);
            desenhaPainelFixo(a, rAntes);
            desenhaContadores(a, s, rAntes);
            desenhaRelogio(a, s, rAntes);
            if (dados.layoutBotoes == Estilo::bonus)
                desenhaBotoes(a, Estilo::bonus, rAntes, mx, my);
            desenhaRodapeMusica(a);
            desenhaTituloFaixa(a, s.faixa, rAntes);
            desenha(a, p1.cursor.get(), mx, my);
        };
        EXPECT_EQ(compara(quadroAntigo, true, [&](BITMAP* a) { quadroPartida(p2, a); }), 0)
            << "level " << fase;
    }
}

}  // namespace
