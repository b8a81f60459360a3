// Prints a solution of every level, one line each: level, steps, pushes and
// the key presses (C up, B down, E left, D right). Its output is the stored
// solutions file of the tests: resolve-fases > tests/unit/play/solucoes.txt
#include <cstdio>
#include <cstdlib>

#include "solver.h"

// Optional arguments: the level (0: all) and the weight of the estimate.
int main(int argc, char** argv) {
    const int so = argc > 1 ? std::atoi(argv[1]) : 0;
    const int peso = argc > 2 ? std::atoi(argv[2]) : 2;
    int falhas = 0;
    std::printf("# One solution per level, typed as one arrow key press per letter:\n"
                "# C up, B down, E left, D right. Columns: level, steps, pushes, presses.\n"
                "# Made by the solver (tools/solver, program resolve-fases).\n");
    for (const DadosFase& fase : tabelaFases) {
        if (so != 0 && fase.numero != so) continue;
        const auto s = resolve(fase, peso);
        if (!s) {
            std::fprintf(stderr, "level %d: no solution found\n", fase.numero);
            ++falhas;
            continue;
        }
        std::printf("%d %d %d %s\n", fase.numero, s->passos, s->movimentos, s->setas.c_str());
        std::fflush(stdout);
    }
    return falhas == 0 ? 0 : 1;
}
