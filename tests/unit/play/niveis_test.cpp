// The level table: the properties the rules of play rely on, the targets of
// every map checked against a list made independently of the maps, and a
// committed solution of each level, typed through the frame steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <queue>
#include <set>
#include <utility>
#include <vector>

#include "play/fase.h"
#include "play/motor.h"

namespace {

using Celulas = std::set<std::pair<int, int>>;

Celulas celulasCom(const Mapa& m, int codigo) {
    Celulas s;
    for (int y = 0; y < LINHAS; ++y)
        for (int x = 0; x < COLUNAS; ++x)
            if (m[y][x] == codigo) s.insert({x, y});
    return s;
}

bool naBorda(int x, int y) { return x == 0 || y == 0 || x == COLUNAS - 1 || y == LINHAS - 1; }

class CadaFase : public testing::TestWithParam<int> {
protected:
    const DadosFase& fase() const { return tabelaFases[GetParam() - 1]; }
    const Mapa& mapa() const { return *fase().mapa; }
};

TEST_P(CadaFase, MolduraDeBordaEInteriorDeCodigosZeroATres) {
    for (int y = 0; y < LINHAS; ++y)
        for (int x = 0; x < COLUNAS; ++x) {
            const int c = mapa()[y][x];
            if (naBorda(x, y))
                EXPECT_EQ(c, BORDA) << x << "," << y;
            else
                EXPECT_TRUE(c >= FORA && c <= ALVO) << x << "," << y << " holds " << c;
        }
}

TEST_P(CadaFase, ChaoEAlvosFormamUmaRegiaoFechadaPorParedes) {
    Celulas piso = celulasCom(mapa(), CHAO);
    const Celulas alvos = celulasCom(mapa(), ALVO);
    piso.insert(alvos.begin(), alvos.end());
    ASSERT_FALSE(piso.empty());

    Celulas visto{*piso.begin()};
    std::queue<std::pair<int, int>> fila;
    fila.push(*piso.begin());
    const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
    while (!fila.empty()) {
        auto [x, y] = fila.front();
        fila.pop();
        for (int d = 0; d < 4; ++d) {
            const int nx = x + dx[d], ny = y + dy[d];
            const int c = mapa()[ny][nx];  // the frame keeps neighbours on the board
            EXPECT_TRUE(c == PAREDE || c == CHAO || c == ALVO)
                << "floor at " << x << "," << y << " opens onto code " << c;
            if ((c == CHAO || c == ALVO) && visto.insert({nx, ny}).second) fila.push({nx, ny});
        }
    }
    EXPECT_EQ(visto, piso) << "floor and targets are not one region";
}

TEST_P(CadaFase, InicioValido) {
    const DadosFase& f = fase();
    EXPECT_EQ(f.numero, GetParam());
    ASSERT_GE(f.numCaixas, 2);
    ASSERT_LE(f.numCaixas, MAX_CAIXAS);
    EXPECT_EQ(static_cast<size_t>(f.numCaixas), celulasCom(mapa(), ALVO).size());

    Celulas ocupadas;
    const auto noPiso = [&](Celula c) {
        const int t = mapa()[c.y][c.x];
        return t == CHAO || t == ALVO;
    };
    EXPECT_TRUE(noPiso(f.inicioHeroi));
    ocupadas.insert({f.inicioHeroi.x, f.inicioHeroi.y});
    bool todasNoAlvo = true;
    for (int i = 0; i < f.numCaixas; ++i) {
        const Celula c = f.inicioCaixas[i];
        EXPECT_TRUE(noPiso(c)) << "box " << i;
        EXPECT_TRUE(ocupadas.insert({c.x, c.y}).second) << "box " << i << " overlaps";
        todasNoAlvo = todasNoAlvo && mapa()[c.y][c.x] == ALVO;
    }
    EXPECT_FALSE(todasNoAlvo) << "starts solved";
}

INSTANTIATE_TEST_SUITE_P(Fases, CadaFase, testing::Range(1, NUM_FASES + 1));

TEST(TabelaFases, AlvosDeCadaMapa) {
    const std::vector<Celulas> esperado = {
        {{9, 3}, {12, 5}, {7, 6}, {10, 8}},
        {{11, 4}, {9, 7}},
        {{7, 6}, {8, 6}, {7, 7}, {8, 7}},
        {{9, 3}, {9, 5}, {9, 7}},
        {{7, 6}, {8, 6}, {9, 6}},
        {{8, 5}, {10, 5}, {8, 7}, {10, 7}},
        {{8, 3}, {10, 3}, {12, 3}},
        {{6, 5}, {7, 5}, {8, 5}, {9, 5}, {10, 5}, {11, 5}, {12, 5}, {13, 5}},
        {{11, 3}, {6, 5}, {7, 5}, {8, 5}, {9, 5}, {10, 5}, {11, 5}, {12, 5}, {13, 5}, {8, 7}},
        {{5, 4}, {6, 4}, {7, 4}, {5, 5}, {6, 5}, {7, 5}, {6, 6}, {5, 7}, {6, 7}, {7, 7}},
    };
    for (int n = 1; n <= NUM_FASES; ++n)
        EXPECT_EQ(celulasCom(*tabelaFases[n - 1].mapa, ALVO), esperado[n - 1]) << "level " << n;
}

TEST(TabelaFases, CadaFaseUsaSeuMapaEOBonusSeuEstilo) {
    const Mapa* mapas[] = {&map1, &map2, &map3, &map4, &map5, &map6, &map7, &map8, &map9, &map10};
    for (int n = 1; n <= NUM_FASES; ++n) {
        const DadosFase& f = tabelaFases[n - 1];
        EXPECT_EQ(f.mapa, mapas[n - 1]) << "level " << n;
        const Estilo e = n == 10 ? Estilo::bonus : Estilo::padrao;
        EXPECT_EQ(f.conjuntoPecas, e) << "level " << n;
        EXPECT_EQ(f.layoutBotoes, e) << "level " << n;
    }
}

// Which boxes (by their place in the start list) stand on a target at the
// start: only levels 4 and 8 have any.
TEST(TabelaFases, CaixasQueComecamNoAlvo) {
    for (int n = 1; n <= NUM_FASES; ++n) {
        const DadosFase& f = tabelaFases[n - 1];
        std::vector<int> noAlvo;
        for (int i = 0; i < f.numCaixas; ++i)
            if ((*f.mapa)[f.inicioCaixas[i].y][f.inicioCaixas[i].x] == ALVO) noAlvo.push_back(i);
        std::vector<int> esperado;
        if (n == 4) esperado = {1};
        if (n == 8) esperado = {1, 2, 3, 4, 5, 6, 7};
        EXPECT_EQ(noAlvo, esperado) << "level " << n;
    }
}

TEST(IniciaEstado, HeroiECaixasNoInicioEContadoresZerados) {
    const DadosFase& f = tabelaFases[8];
    const EstadoFase e = iniciaEstado(f);
    EXPECT_EQ(e.heroi, f.inicioHeroi);
    EXPECT_EQ(e.heroiAnterior, f.inicioHeroi);
    EXPECT_EQ(e.numCaixas, f.numCaixas);
    for (int i = 0; i < f.numCaixas; ++i) {
        EXPECT_EQ(e.caixas[i], f.inicioCaixas[i]);
        EXPECT_EQ(e.caixasAnteriores[i], f.inicioCaixas[i]);
        EXPECT_FALSE(e.caixaNoAlvo[i]);
    }
    EXPECT_EQ(e.direcao, FRENTE);
    EXPECT_EQ(e.passos + e.movimentos + e.minutos + e.segundos + e.contConclusao, 0);
    EXPECT_FALSE(e.tempoIniciado || e.bloqueioParede || e.bloqueioCaixaParede ||
                 e.bloqueioCaixaCaixa);
}

class Solucoes : public testing::TestWithParam<int> {};

TEST_P(Solucoes, SolucaoGuardadaResolveAFase) {
    const auto solucoes = solucoesGuardadas();
    const auto it = solucoes.find(GetParam());
    ASSERT_NE(it, solucoes.end()) << "no solution stored";
    const SolucaoGuardada& r = it->second;
    EXPECT_EQ(r.passos, static_cast<int>(r.setas.size()));
    confereSolucao(tabelaFases[GetParam() - 1], r.setas, r.passos, r.movimentos);
}

// Halfway through, with boxes moved, restart puts every box back on its
// start cell in the table's order, and the solution works again from there.
TEST_P(Solucoes, ReiniciarNoMeioVoltaAoInicio) {
    const DadosFase& fase = tabelaFases[GetParam() - 1];
    const SolucaoGuardada r = solucoesGuardadas().at(GetParam());
    Motor m(fase);
    m.digita(r.setas.substr(0, r.setas.size() / 2));
    ASSERT_GT(m.estado.movimentos, 0);
    Quadro reinicio;
    reinicio.r = true;
    m.quadro(reinicio);
    EXPECT_EQ(m.estado.heroi, fase.inicioHeroi);
    for (int i = 0; i < fase.numCaixas; ++i) EXPECT_EQ(m.estado.caixas[i], fase.inicioCaixas[i]) << i;
    m.digita(r.setas);
    m.quadro(parado());
    EXPECT_TRUE(m.esc);
    EXPECT_EQ(m.estado.movimentos, r.movimentos);
}

INSTANTIATE_TEST_SUITE_P(Fases, Solucoes, testing::Range(1, NUM_FASES + 1));

}  // namespace
