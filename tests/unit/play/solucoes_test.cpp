// Every level can be solved under the rules: the committed solutions and
// the solver's own are typed through the frame steps and must end the level.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "motor.h"
#include "solver.h"

namespace {

struct Registro {
    int passos = 0;
    int movimentos = 0;
    std::string setas;
};

std::map<int, Registro> leSolucoes() {
    std::map<int, Registro> r;
    std::ifstream arq(SOLUCOES_TXT);
    std::string linha;
    while (std::getline(arq, linha)) {
        if (linha.empty() || linha[0] == '#') continue;
        std::istringstream in(linha);
        int n;
        Registro reg;
        in >> n >> reg.passos >> reg.movimentos >> reg.setas;
        r[n] = reg;
    }
    return r;
}

// Types the presses and checks the level ends one frame after the last one,
// with the given counts.
void confereSolucao(const DadosFase& fase, const std::string& setas, int passos, int movimentos) {
    Motor m(fase);
    for (size_t i = 0; i < setas.size(); ++i) {
        m.quadro(seta(setas[i]));
        ASSERT_FALSE(m.esc) << "ended early, press " << i;
        ASSERT_EQ(m.estado.passos, static_cast<int>(i) + 1) << "press " << i << " did not step";
    }
    EXPECT_TRUE(todasNoAlvo(m.estado));
    m.quadro(parado());
    EXPECT_TRUE(m.esc);
    EXPECT_EQ(m.estado.passos, passos);
    EXPECT_EQ(m.estado.movimentos, movimentos);
}

class Solucoes : public testing::TestWithParam<int> {};

TEST_P(Solucoes, SolucaoGuardadaResolveAFase) {
    const auto solucoes = leSolucoes();
    const auto it = solucoes.find(GetParam());
    ASSERT_NE(it, solucoes.end()) << "no solution stored";
    const Registro& r = it->second;
    EXPECT_EQ(r.passos, static_cast<int>(r.setas.size()));
    confereSolucao(tabelaFases[GetParam() - 1], r.setas, r.passos, r.movimentos);
}

TEST_P(Solucoes, SolverResolveAFase) {
    const auto s = resolve(tabelaFases[GetParam() - 1]);
    ASSERT_TRUE(s.has_value());
    confereSolucao(tabelaFases[GetParam() - 1], s->setas, s->passos, s->movimentos);
}

// Halfway through, with boxes moved, restart puts every box back on its
// start cell in the table's order, and the solution works again from there.
TEST_P(Solucoes, ReiniciarNoMeioVoltaAoInicio) {
    const DadosFase& fase = tabelaFases[GetParam() - 1];
    const Registro r = leSolucoes().at(GetParam());
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

TEST(Solver, FaseSemSaidaNaoTemSolucao) {
    // A box in a corner never reaches the target.
    Mapa m = soMoldura;
    for (int x = 1; x < COLUNAS - 1; ++x) m[1][x] = m[5][x] = PAREDE;
    for (int y = 1; y <= 5; ++y) m[y][1] = m[y][8] = PAREDE;
    m[3][5] = ALVO;
    for (int y = 2; y <= 4; ++y)
        for (int x = 2; x <= 7; ++x)
            if (m[y][x] == FORA) m[y][x] = CHAO;
    const DadosFase f{1, &m, {4, 3}, {{{2, 2}}}, 1, Estilo::padrao, Estilo::padrao};
    EXPECT_FALSE(resolve(f).has_value());
}

TEST(Solver, MenorNumeroDeEmpurroesComPeso1) {
    // Level 2 needs four pushes: the hero reaches the box at (10, 7) from the
    // right only after pushing the upper box one cell too far and back.
    const auto s = resolve(tabelaFases[1], 1);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->movimentos, 4);
}

}  // namespace
