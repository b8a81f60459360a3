// The solver finds a solution for every level, which typed through the
// frame steps ends the level, and none where there is none.
#include <gtest/gtest.h>

#include "play/motor.h"
#include "solver.h"

namespace {

class Solucoes : public testing::TestWithParam<int> {};

TEST_P(Solucoes, SolverResolveAFase) {
    const auto s = resolve(tabelaFases[GetParam() - 1]);
    ASSERT_TRUE(s.has_value());
    confereSolucao(tabelaFases[GetParam() - 1], s->setas, s->passos, s->movimentos);
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
