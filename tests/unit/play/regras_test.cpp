// Moves, pushes, undo, restart, the clock and the frame-order effects, driven
// frame by frame through the steps jogar runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "motor.h"
#include "play/regras.h"

namespace {

// A walled room's level data, floor from (2, 2) to (17, 12), for rules
// that need no level; Sala plays it frame by frame.
struct DadosSala {
    DadosSala(Celula heroi, const std::vector<Celula>& caixas, const std::vector<Celula>& alvos) {
        for (int y = 0; y < LINHAS; ++y)
            for (int x = 0; x < COLUNAS; ++x) {
                const bool borda = x == 0 || y == 0 || x == COLUNAS - 1 || y == LINHAS - 1;
                const bool parede = x == 1 || y == 1 || x == COLUNAS - 2 || y == LINHAS - 2;
                mapa[y][x] = borda ? BORDA : parede ? PAREDE : CHAO;
            }
        for (Celula a : alvos) mapa[a.y][a.x] = ALVO;
        dados = {1, &mapa, heroi, {}, static_cast<int>(caixas.size()), Estilo::padrao, Estilo::padrao};
        std::copy(caixas.begin(), caixas.end(), dados.inicioCaixas.begin());
    }
    Mapa mapa{};
    DadosFase dados;
};
struct Sala : DadosSala, Motor {
    explicit Sala(Celula heroi, const std::vector<Celula>& caixas = {{10, 10}, {12, 10}},
                  const std::vector<Celula>& alvos = {}, int larguraCaixa = 40, int alturaCaixa = 40)
        : DadosSala(heroi, caixas, alvos), Motor(dados, larguraCaixa, alturaCaixa) {}
};

Quadro juntas(char a, char b) {
    Quadro q = seta(a);
    q.setas = une(q.setas, seta(b).setas);
    return q;
}

Quadro outraTecla() {  // a press of a key that is no arrow (a letter, F1...)
    Quadro q;
    q.tecla = true;
    return q;
}

Quadro clique(int x, int y, int botoes = 1) {
    Quadro q;
    q.mouse = {x, y, botoes};
    return q;
}

// --- moves and pushes --------------------------------------------------------

TEST(Movimento, PassoLivreConta1PassoVirALigaORelogioEPausa) {
    Sala m({5, 5});
    m.quadro(seta('D'));
    EXPECT_EQ(m.estado.heroi, (Celula{6, 5}));
    EXPECT_EQ(m.estado.heroiAnterior, (Celula{5, 5}));
    EXPECT_EQ(m.estado.direcao, DIREITA);
    EXPECT_EQ(m.estado.passos, 1);
    EXPECT_EQ(m.estado.movimentos, 0);
    EXPECT_TRUE(m.estado.tempoIniciado);
    EXPECT_EQ(m.pausas, 1);
    EXPECT_FALSE(m.buffer);

    const int dir[] = {COSTAS, FRENTE, ESQUERDA};
    const Celula onde[] = {{6, 4}, {6, 5}, {5, 5}};
    for (int i = 0; i < 3; ++i) {
        m.quadro(seta("CBE"[i]));
        EXPECT_EQ(m.estado.direcao, dir[i]);
        EXPECT_EQ(m.estado.heroi, onde[i]);
    }
    EXPECT_EQ(m.estado.passos, 4);
}

TEST(Movimento, SetaSemTeclaNoBufferNaoMove) {
    Sala m({5, 5});
    Quadro q;
    q.setas.direita = true;  // held, but the press was already taken
    m.quadro(q);
    EXPECT_EQ(m.estado.heroi, (Celula{5, 5}));
    EXPECT_EQ(m.estado.passos, 0);
}

TEST(Movimento, ParedePulaATeclaInteira) {
    Sala m({3, 5});
    m.quadro(seta('E'));  // to (2, 5), beside the wall
    ASSERT_EQ(m.estado.heroi, (Celula{2, 5}));
    m.quadro(seta('B'));  // facing front, copy (2, 5)
    m.estado.tempoIniciado = false;
    m.quadro(juntas('C', 'E'));  // Up is free, but Left points at the wall
    EXPECT_EQ(m.estado.heroi, (Celula{2, 6}));
    EXPECT_EQ(m.estado.direcao, FRENTE) << "a skipped press does not even turn";
    EXPECT_EQ(m.estado.passos, 2);
    EXPECT_FALSE(m.estado.tempoIniciado) << "a skipped press does not start the clock";
    EXPECT_EQ(m.estado.heroiAnterior, (Celula{2, 5})) << "nor refresh the undo copy";
    EXPECT_FALSE(m.buffer) << "the end of the frame empties the buffer";
    EXPECT_FALSE(m.estado.bloqueioParede) << "released with an arrow down";
    EXPECT_EQ(m.pausas, 2);
}

TEST(Movimento, BloqueioDeParedeDescartaTeclasAteUmQuadroComSeta) {
    Sala m({2, 5});
    Quadro q = seta('E');
    q.soltaNoFim = true;  // let go before the frame ends: the flag stays
    m.quadro(q);
    ASSERT_TRUE(m.estado.bloqueioParede);
    EXPECT_FALSE(m.buffer);

    m.quadro(seta('D'));  // towards free floor, but discarded
    EXPECT_EQ(m.estado.heroi, (Celula{2, 5}));
    EXPECT_EQ(m.estado.passos, 0);
    EXPECT_FALSE(m.buffer);
    EXPECT_FALSE(m.estado.bloqueioParede);

    m.quadro(seta('D'));
    EXPECT_EQ(m.estado.heroi, (Celula{3, 5}));
}

TEST(Movimento, TamanhoDaCaixaMedeAVizinhancaDaParede) {
    Sala largo({3, 5}, {{10, 10}, {12, 10}}, {}, 80, 40);  // a wall 80 px left of the hero counts as beside it
    largo.quadro(seta('E'));
    EXPECT_EQ(largo.estado.heroi, (Celula{3, 5}));
    EXPECT_EQ(largo.estado.passos, 0);
    Sala normal({3, 5});
    normal.quadro(seta('E'));
    EXPECT_EQ(normal.estado.heroi, (Celula{2, 5}));
    Sala alto({5, 3}, {{10, 10}, {12, 10}}, {}, 40, 80);
    alto.quadro(seta('C'));
    EXPECT_EQ(alto.estado.heroi, (Celula{5, 3}));
}

TEST(Empurrao, CaixaAndaUmaCasaEOHeroiSegue) {
    Sala m({5, 5}, {{6, 5}, {12, 10}});
    m.quadro(seta('D'));
    EXPECT_EQ(m.estado.caixas[0], (Celula{7, 5}));
    EXPECT_EQ(m.estado.heroi, (Celula{6, 5}));
    EXPECT_EQ(m.estado.caixasAnteriores[0], (Celula{6, 5}));
    EXPECT_EQ(m.estado.passos, 1);
    EXPECT_EQ(m.estado.movimentos, 1);
}

TEST(Empurrao, ContraParedeViraSemAndarELigaORelogio) {
    Sala m({3, 5}, {{2, 5}, {12, 10}});
    m.quadro(seta('E'));
    EXPECT_EQ(m.estado.caixas[0], (Celula{2, 5}));
    EXPECT_EQ(m.estado.heroi, (Celula{3, 5}));
    EXPECT_EQ(m.estado.direcao, ESQUERDA);
    EXPECT_EQ(m.estado.passos, 0);
    EXPECT_EQ(m.estado.movimentos, 0);
    EXPECT_TRUE(m.estado.tempoIniciado);
    EXPECT_EQ(m.pausas, 1);
    EXPECT_FALSE(m.estado.bloqueioCaixaParede) << "released at the end of a frame with an arrow";
}

TEST(Empurrao, ContraOutraCaixaViraSemAndar) {
    Sala m({5, 5}, {{6, 5}, {7, 5}});
    Quadro q = seta('D');
    q.soltaNoFim = true;
    m.quadro(q);
    EXPECT_EQ(m.estado.caixas[0], (Celula{6, 5}));
    EXPECT_EQ(m.estado.caixas[1], (Celula{7, 5}));
    EXPECT_EQ(m.estado.heroi, (Celula{5, 5}));
    EXPECT_EQ(m.estado.direcao, DIREITA);
    EXPECT_EQ(m.estado.passos + m.estado.movimentos, 0);
    EXPECT_TRUE(m.estado.bloqueioCaixaCaixa);
}

// A box flag left over from a press released before its frame ended stops
// the next step, even towards free floor; that frame's arrow releases it.
TEST(Empurrao, BloqueioQueSobraSoViraOHeroi) {
    Sala m({3, 5}, {{2, 5}, {12, 10}});
    Quadro q = seta('E');
    q.soltaNoFim = true;
    m.quadro(q);
    ASSERT_TRUE(m.estado.bloqueioCaixaParede);

    m.quadro(seta('C'));
    EXPECT_EQ(m.estado.heroi, (Celula{3, 5}));
    EXPECT_EQ(m.estado.direcao, COSTAS);
    EXPECT_EQ(m.estado.passos, 0);
    EXPECT_FALSE(m.estado.bloqueioCaixaParede);

    m.quadro(seta('C'));
    EXPECT_EQ(m.estado.heroi, (Celula{3, 4}));
}

// A push test that finds free floor clears the box-on-box flag at once.
TEST(Empurrao, EmpurraoLivreLimpaOBloqueioDeCaixa) {
    Sala m({5, 5}, {{6, 5}, {7, 5}, {5, 4}});
    Quadro q = seta('D');
    q.soltaNoFim = true;
    m.quadro(q);
    ASSERT_TRUE(m.estado.bloqueioCaixaCaixa);
    m.quadro(seta('C'));  // pushes the box above: the flag clears and the hero steps
    EXPECT_EQ(m.estado.caixas[2], (Celula{5, 3}));
    EXPECT_EQ(m.estado.heroi, (Celula{5, 4}));
    EXPECT_EQ(m.estado.passos, 1);
}

// Left and Up at once from (5, 5): pushes take Left first and the facing Up;
// two arrows push two boxes; the box flags follow the last push test of the
// press, so a free push of a later box clears what an earlier box set, and
// the hero steps.
TEST(Empurrao, EsquerdaECimaJuntas) {
    struct Caso {
        std::vector<Celula> antes, depois;
        int movimentos;
    };
    for (const Caso& c : {Caso{{{4, 5}, {12, 10}}, {{3, 5}, {12, 10}}, 1}, Caso{{{4, 5}, {5, 4}}, {{3, 5}, {5, 3}}, 2},
                          Caso{{{4, 5}, {3, 5}, {5, 4}}, {{4, 5}, {3, 5}, {5, 3}}, 1}}) {
        Sala m({5, 5}, c.antes);
        m.quadro(juntas('E', 'C'));
        for (size_t i = 0; i < c.depois.size(); ++i) EXPECT_EQ(m.estado.caixas[i], c.depois[i]) << i;
        EXPECT_EQ(m.estado.heroi, (Celula{5, 4}));
        EXPECT_EQ(m.estado.direcao, COSTAS);
        EXPECT_EQ(m.estado.passos, 1);
        EXPECT_EQ(m.estado.movimentos, c.movimentos) << c.antes.size() << " boxes";
    }
}

// --- two arrows at once ---------------------------------------------------------

// Level 1 from its start: Up held against box 2 (a wall behind it), then Down
// pressed too. Box 3 goes down onto its target; the hero turns up and stays.
TEST(DuasSetas, Fase1CimaSeguradaEBaixoApertadoNaoEntraNaCaixa) {
    Motor m(tabelaFases[0]);
    m.quadro(seta('C'));
    Quadro segura;
    segura.setas.cima = true;
    for (int i = 0; i < 6; ++i) m.quadro(segura);
    m.quadro(juntas('C', 'B'));
    EXPECT_EQ(m.estado.caixas[3], (Celula{10, 8}));
    EXPECT_EQ(m.estado.caixas[2], (Celula{10, 5}));
    EXPECT_EQ(m.estado.heroi, (Celula{10, 6}));
    EXPECT_EQ(m.estado.direcao, COSTAS);
    EXPECT_EQ(m.estado.passos, 0);
    EXPECT_EQ(m.estado.movimentos, 1);

    // Right goes down after the wall test has read the arrows: the wall
    // right of the start still stops the hero.
    Motor n(tabelaFases[0]);
    Quadro q;
    q.tecla = true;
    q.descemNaTecla.direita = true;
    n.quadro(q);
    EXPECT_EQ(n.estado.heroi, (Celula{10, 6}));
    EXPECT_EQ(n.estado.passos, 0);
}

::testing::AssertionResult tudoNoLugar(const EstadoFase& e, const Mapa& mapa) {
    auto livre = [&](Celula c) {
        return c.x >= 0 && c.x < COLUNAS && c.y >= 0 && c.y < LINHAS && mapa[c.y][c.x] != PAREDE;
    };
    auto falha = [](const char* o_que, Celula c) {
        return ::testing::AssertionFailure() << o_que << " (" << c.x << ", " << c.y << ")";
    };
    if (!livre(e.heroi)) return falha("hero off the board or on a wall at", e.heroi);
    for (int i = 0; i < e.numCaixas; ++i) {
        if (!livre(e.caixas[i])) return falha("box off the board or on a wall at", e.caixas[i]);
        if (e.caixas[i] == e.heroi) return falha("hero inside a box at", e.heroi);
        for (int j = i + 1; j < e.numCaixas; ++j)
            if (e.caixas[i] == e.caixas[j]) return falha("two boxes at", e.caixas[i]);
    }
    return ::testing::AssertionSuccess();
}

// Random single and two-arrow presses on every level, with arrows held
// between presses, let go before a frame ends, or going down between the
// wall test and the press; now and then a restart.
TEST(DuasSetas, NadaFicaOndeNaoPode) {
    std::mt19937 sorte(11);
    auto setas = [&](int quantas) {
        Setas s;
        for (int i = 0; i < quantas; ++i) {
            switch (sorte() % 4) {
                case 0: s.cima = true; break;
                case 1: s.baixo = true; break;
                case 2: s.esquerda = true; break;
                case 3: s.direita = true; break;
            }
        }
        return s;
    };
    for (const DadosFase& f : tabelaFases) {
        for (int partida = 0; partida < 100; ++partida) {
            Motor m(f);
            for (int n = 0; n < 60; ++n) {
                Quadro q;
                q.setas = setas(sorte() % 5 == 0 ? 0 : 1 + sorte() % 2);
                if (sorte() % 8 == 0) q.descemNaTecla = setas(1);
                q.tecla = sorte() % 4 != 0;
                q.soltaNoFim = sorte() % 4 == 0;
                q.r = sorte() % 40 == 0;
                m.quadro(q);
                ASSERT_TRUE(tudoNoLugar(m.estado, *f.mapa))
                    << "level " << f.numero << ", game " << partida << ", frame " << n;
            }
        }
    }
}

TEST(Empurrao, SoCodigoUmPara) {
    // soMoldura has no walls: boxes and the hero cross outside and border cells,
    // but never leave the board.
    DadosFase f{11, &soMoldura, {4, 5}, {{{3, 5}, {10, 10}}}, 2, Estilo::padrao, Estilo::padrao};
    Motor m(f);
    m.digita("EEE");
    EXPECT_EQ(m.estado.caixas[0], (Celula{0, 5}));
    EXPECT_EQ(m.estado.heroi, (Celula{1, 5}));
    EXPECT_EQ(m.estado.movimentos, 3);
    m.quadro(seta('E'));  // off the board counts as a wall for the box
    EXPECT_EQ(m.estado.caixas[0], (Celula{0, 5}));
    EXPECT_EQ(m.estado.movimentos, 3);
    m.digita("CE");  // the hero onto the border, then towards the edge
    EXPECT_EQ(m.estado.heroi, (Celula{0, 4}));
    m.quadro(seta('E'));
    EXPECT_EQ(m.estado.heroi, (Celula{0, 4}));
}

TEST(Movimento, OutraTeclaRenovaACopiaEViraDeFrente) {
    Sala m({5, 5});
    m.quadro(outraTecla());
    EXPECT_EQ(m.estado.direcao, SEM_SETA);
    EXPECT_FALSE(m.estado.tempoIniciado);
    EXPECT_EQ(m.pausas, 0);
    EXPECT_EQ(m.estado.passos, 0);
    m.quadro(seta('D'));
    m.quadro(outraTecla());
    EXPECT_EQ(m.estado.heroiAnterior, (Celula{6, 5}));
}

// --- undo and restart --------------------------------------------------------

TEST(Voltar, DesfazPosicoesMasNaoContadoresNemDirecao) {
    Sala m({5, 5}, {{6, 5}, {12, 10}});
    m.quadro(seta('D'));
    m.contTempo = 4;
    m.quadro(clique(110, 60));
    EXPECT_EQ(m.estado.heroi, (Celula{5, 5}));
    EXPECT_EQ(m.estado.caixas[0], (Celula{6, 5}));
    EXPECT_EQ(m.estado.passos, 1);
    EXPECT_EQ(m.estado.movimentos, 1);
    EXPECT_EQ(m.estado.direcao, DIREITA);
    EXPECT_EQ(m.estado.segundos, 4) << "the clock runs on";
}

TEST(Voltar, PrimeiraAcaoNaoMudaNada) {
    Sala m({5, 5}, {{6, 5}, {12, 10}});
    m.quadro(clique(100, 55));
    EXPECT_EQ(m.estado.heroi, (Celula{5, 5}));
    EXPECT_EQ(m.estado.caixas[0], (Celula{6, 5}));
}

// V is a key press too: it refreshes the copy with the restored positions
// and turns the hero to the front, so a second undo finds nothing to undo.
TEST(Voltar, PelaTeclaVRenovaACopia) {
    Sala m({5, 5});
    m.digita("DD");
    Quadro v = outraTecla();
    v.v = true;
    m.quadro(v);
    EXPECT_EQ(m.estado.heroi, (Celula{6, 5}));
    EXPECT_EQ(m.estado.heroiAnterior, (Celula{6, 5}));
    EXPECT_EQ(m.estado.direcao, SEM_SETA);
    m.quadro(v);
    EXPECT_EQ(m.estado.heroi, (Celula{6, 5}));
}

TEST(Voltar, PeloMouseGuardaACopia) {
    Sala m({5, 5});
    m.digita("DD");
    m.quadro(clique(135, 80));
    EXPECT_EQ(m.estado.heroi, (Celula{6, 5}));
    EXPECT_EQ(m.estado.direcao, DIREITA);
    m.quadro(seta('C'));
    EXPECT_EQ(m.estado.heroi, (Celula{6, 4}));
    m.quadro(clique(120, 70));
    EXPECT_EQ(m.estado.heroi, (Celula{6, 5}));
    m.quadro(clique(120, 70));  // held: the same positions again
    EXPECT_EQ(m.estado.heroi, (Celula{6, 5}));
}

TEST(Voltar, CliqueForaDoBotaoOuComOutroBotaoNaoFazNada) {
    Sala m({5, 5});
    m.quadro(seta('D'));
    for (Quadro q : {clique(99, 60), clique(136, 60), clique(110, 54), clique(110, 81),
                     clique(110, 60, 2), clique(-1, -1)}) {
        m.quadro(q);
        EXPECT_EQ(m.estado.heroi, (Celula{6, 5})) << q.mouse.x << "," << q.mouse.y << " b" << q.mouse.b;
    }
}

TEST(Voltar, BotoesDoBonusFicamEmOutroLugar) {
    Sala m({5, 5});
    m.dados.layoutBotoes = Estilo::bonus;
    m.quadro(seta('D'));
    m.quadro(clique(110, 60));  // the standard place is not active here
    EXPECT_EQ(m.estado.heroi, (Celula{6, 5}));
    m.quadro(clique(710, 405));
    EXPECT_EQ(m.estado.heroi, (Celula{5, 5}));
    m.quadro(seta('D'));
    m.quadro(clique(700, 430));  // restart's corner
    EXPECT_EQ(m.estado.passos, 0);
    EXPECT_EQ(m.estado.heroi, (Celula{5, 5}));
}

TEST(Reiniciar, VoltaAoInicioZeraContadoresERelogioMasNaoAConclusao) {
    Sala m({5, 5}, {{6, 5}, {12, 10}}, {{7, 5}, {2, 2}});
    m.quadro(seta('D'));  // the first box onto its target
    ASSERT_TRUE(m.estado.caixaNoAlvo[0]);
    m.quadro(seta('B'));
    m.contTempo = 75;
    m.quadro(parado());
    ASSERT_EQ(m.estado.minutos, 1);
    m.estado.contConclusao = 1;

    Quadro r;
    r.r = true;
    m.quadro(r);
    EXPECT_EQ(m.estado.heroi, (Celula{5, 5}));
    EXPECT_EQ(m.estado.heroiAnterior, (Celula{5, 5}));
    EXPECT_EQ(m.estado.caixas[0], (Celula{6, 5}));
    EXPECT_EQ(m.estado.caixasAnteriores[0], (Celula{6, 5}));
    EXPECT_EQ(m.estado.passos + m.estado.movimentos + m.estado.minutos + m.estado.segundos, 0);
    EXPECT_FALSE(m.estado.tempoIniciado);
    EXPECT_EQ(m.contTempo, 0);
    EXPECT_EQ(m.estado.direcao, FRENTE);
    EXPECT_EQ(m.estado.contConclusao, 1);
    EXPECT_TRUE(m.desenhoNoAlvo[0]) << "the picture changes one frame later";
    EXPECT_FALSE(m.estado.caixaNoAlvo[0]);
}

TEST(Reiniciar, NaoTocaNosBloqueios) {
    const DadosSala q({5, 5}, {{10, 10}, {12, 10}}, {});
    EstadoFase e = iniciaEstado(q.dados);
    e.bloqueioParede = e.bloqueioCaixaParede = e.bloqueioCaixaCaixa = true;
    std::atomic<int> cont{5};
    pedidosBotoes(e, q.dados, false, true, {}, cont);
    EXPECT_TRUE(e.bloqueioParede && e.bloqueioCaixaParede && e.bloqueioCaixaCaixa);
    EXPECT_EQ(cont, 0);
}

TEST(Reiniciar, BotaoSeguradoMantemORelogioEmZero) {
    Sala m({5, 5});
    m.quadro(seta('D'));
    for (int i = 0; i < 5; ++i) {
        m.contTempo += 1;  // the 1 Hz timer ticks meanwhile
        m.quadro(clique(90, 80));
        EXPECT_EQ(m.estado.segundos, 0);
        EXPECT_EQ(m.contTempo, 0);
        EXPECT_EQ(m.estado.passos, 0);
    }
}

TEST(Reiniciar, VeRJuntosReiniciam) {
    Sala m({5, 5});
    m.digita("DDB");
    Quadro q;
    q.v = q.r = true;
    m.quadro(q);
    EXPECT_EQ(m.estado.heroi, (Celula{5, 5}));
    EXPECT_EQ(m.estado.passos, 0);
}

// --- the clock ---------------------------------------------------------------

TEST(Relogio, ParadoSeguraContTempoEmZero) {
    Sala m({5, 5});
    m.contTempo = 3;
    m.quadro(parado());
    EXPECT_EQ(m.contTempo, 0);
    EXPECT_EQ(m.estado.segundos, 0);
    m.quadro(seta('D'));
    m.contTempo = 9;
    m.quadro(parado());
    EXPECT_EQ(m.estado.segundos, 9);
    EXPECT_EQ(textoRelogio(m.estado.segundos), "09 ");
}

TEST(Relogio, Vira60ParaUmMinuto) {
    EstadoFase e = iniciaEstado(tabelaFases[0]);
    e.tempoIniciado = true;
    std::atomic<int> cont{59};
    atualizaRelogio(e, cont);
    EXPECT_EQ(e.segundos, 59);
    cont = 60;
    atualizaRelogio(e, cont);
    EXPECT_EQ(e.segundos, 0);
    EXPECT_EQ(e.minutos, 1);
    EXPECT_EQ(cont, 0);
    cont = 1;
    atualizaRelogio(e, cont);
    EXPECT_EQ(e.segundos, 1);
    EXPECT_EQ(e.minutos, 1);
}

TEST(Relogio, Texto) {
    EXPECT_EQ(textoRelogio(0), "00 ");
    EXPECT_EQ(textoRelogio(7), "07 ");
    EXPECT_EQ(textoRelogio(9), "09 ");
    EXPECT_EQ(textoRelogio(10), "10");
    EXPECT_EQ(textoRelogio(59), "59");
    EXPECT_EQ(textoRelogio(123), "123");
}

// --- targets and completion --------------------------------------------------

TEST(Conclusao, CaixasQueComecamNoAlvoMudamDeFiguraNoSegundoQuadro) {
    Motor quatro(tabelaFases[3]);
    quatro.quadro(parado());
    EXPECT_FALSE(quatro.desenhoNoAlvo[1]);
    quatro.quadro(parado());
    EXPECT_TRUE(quatro.desenhoNoAlvo[1]);
    EXPECT_FALSE(quatro.desenhoNoAlvo[0] || quatro.desenhoNoAlvo[2]);

    Motor oito(tabelaFases[7]);
    oito.quadro(parado());
    oito.quadro(parado());
    EXPECT_FALSE(oito.desenhoNoAlvo[0]);
    for (int i = 1; i < 8; ++i) EXPECT_TRUE(oito.desenhoNoAlvo[i]) << i;
    EXPECT_EQ(oito.estado.contConclusao, 0);
    EXPECT_FALSE(oito.esc);
}

std::string solucaoFase1() { return solucoesGuardadas().at(1).setas; }

TEST(Conclusao, UmQuadroComTodasNoAlvoAntesDeTerminar) {
    Motor m(tabelaFases[0]);
    m.digita(solucaoFase1());
    EXPECT_EQ(m.estado.contConclusao, 1);
    EXPECT_TRUE(todasNoAlvo(m.estado));
    EXPECT_FALSE(m.esc);
    EXPECT_FALSE(m.desenhoNoAlvo[0] && m.desenhoNoAlvo[1] && m.desenhoNoAlvo[2] &&
                 m.desenhoNoAlvo[3]);

    m.quadro(parado());
    EXPECT_TRUE(m.esc);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(m.desenhoNoAlvo[i]) << i;
    EXPECT_EQ(m.estado.contConclusao, 1);
}

TEST(Conclusao, CaixaQueSaiDoAlvoNoQuadroDoMeioTerminaSemQuadroExtra) {
    Motor m(tabelaFases[0]);
    const std::string s = solucaoFase1();
    m.digita(s);
    m.quadro(clique(110, 60));  // undo the last push before the level ends
    EXPECT_FALSE(m.esc);
    EXPECT_FALSE(todasNoAlvo(m.estado));
    EXPECT_EQ(m.estado.contConclusao, 1);

    m.quadro(seta(s.back()));
    EXPECT_TRUE(m.esc) << "the counter is odd: the level ends in the arrival frame";
    EXPECT_FALSE(m.desenhoNoAlvo[0] && m.desenhoNoAlvo[1] && m.desenhoNoAlvo[2] &&
                 m.desenhoNoAlvo[3]);
}

TEST(Conclusao, ReiniciarNaoZeraOContador) {
    Motor m(tabelaFases[0]);
    m.digita(solucaoFase1());
    Quadro r;
    r.r = true;
    m.quadro(r);
    EXPECT_FALSE(m.esc);
    m.digita(solucaoFase1());
    EXPECT_TRUE(m.esc) << "the second completion ends the level at once";
}

}  // namespace
