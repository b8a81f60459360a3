#include "solver.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <queue>
#include <unordered_map>
#include <vector>

// The search runs backwards, from every box on a target to the start,
// pulling boxes instead of pushing them. Levels whose targets form a room
// that must be filled in one order (the bonus level) are hard to fill
// forwards and easy to empty backwards.

namespace {

constexpr int CELULAS = COLUNAS * LINHAS;
constexpr int INFINITO = 1 << 20;

struct Direcao {
    int dx, dy;
    char letra;
};
// Opposite directions differ in the lowest bit.
constexpr std::array<Direcao, 4> DIRECOES = {{{0, -1, 'C'}, {0, 1, 'B'}, {-1, 0, 'E'}, {1, 0, 'D'}}};

int indice(Celula c) { return c.y * COLUNAS + c.x; }

// The cell one step from `c` in direction d, or -1 off the board.
int passo(int c, int d) {
    if (c < 0) return -1;
    const int x = c % COLUNAS + DIRECOES[d].dx;
    const int y = c / COLUNAS + DIRECOES[d].dy;
    if (x < 0 || x >= COLUNAS || y < 0 || y >= LINHAS) return -1;
    return y * COLUNAS + x;
}

using Caixas = std::vector<int16_t>;  // sorted cell indices

// One push of the solution: the box's cell before it and the direction.
struct Empurrao {
    int16_t de;
    int8_t direcao;
};

class Busca {
public:
    explicit Busca(const DadosFase& fase) : fase_(fase) {
        for (int i = 0; i < CELULAS; ++i) parede_[i] = (*fase.mapa)[i / COLUNAS][i % COLUNAS] == PAREDE;
        for (int i = 0; i < fase.numCaixas; ++i) inicio_.push_back(indice(fase.inicioCaixas[i]));
        std::sort(inicio_.begin(), inicio_.end());
        for (int s : inicio_) paraInicio_.push_back(distanciasDeEmpurrao(s));
    }

    std::optional<Solucao> resolve(int peso, long limiteEstados);

private:
    struct No {
        int pai;
        Empurrao empurrao;  // the forward push that leads from this state to the parent's
    };

    bool livre(int c) const { return c >= 0 && !parede_[c]; }

    // Pushes a box needs from `origem` to every cell, ignoring other boxes;
    // backwards this is the number of pulls from a cell to `origem`.
    std::array<int, CELULAS> distanciasDeEmpurrao(int origem) const {
        std::array<int, CELULAS> dist;
        dist.fill(INFINITO);
        dist[origem] = 0;
        std::deque<int> fila{origem};
        while (!fila.empty()) {
            const int c = fila.front();
            fila.pop_front();
            for (int d = 0; d < 4; ++d) {
                const int heroi = passo(c, d ^ 1);
                const int para = passo(c, d);
                if (!livre(heroi) || !livre(para) || dist[para] != INFINITO) continue;
                dist[para] = dist[c] + 1;
                fila.push_back(para);
            }
        }
        return dist;
    }

    // Cells the hero reaches among the boxes; the smallest index names the area.
    std::vector<char> alcance(int heroi, const std::vector<char>& ocupado, int& menor) const {
        std::vector<char> visto(CELULAS, 0);
        std::vector<int> pilha{heroi};
        visto[heroi] = 1;
        menor = heroi;
        while (!pilha.empty()) {
            const int c = pilha.back();
            pilha.pop_back();
            menor = std::min(menor, c);
            for (int d = 0; d < 4; ++d) {
                const int v = passo(c, d);
                if (livre(v) && !ocupado[v] && !visto[v]) {
                    visto[v] = 1;
                    pilha.push_back(v);
                }
            }
        }
        return visto;
    }

    // Fewest pulls if every box could go back to a start cell of its own
    // with the others out of the way: the cheapest assignment (Hungarian method).
    int estimativa(const Caixas& caixas) const {
        const int n = static_cast<int>(caixas.size());
        const int grande = INFINITO * 4;
        std::vector<int> u(n + 1), v(n + 1), dono(n + 1), anterior(n + 1);
        for (int i = 1; i <= n; ++i) {
            dono[0] = i;
            int j0 = 0;
            std::vector<int> menor(n + 1, grande);
            std::vector<char> usado(n + 1, 0);
            do {
                usado[j0] = 1;
                const int i0 = dono[j0];
                int delta = grande, j1 = 0;
                for (int j = 1; j <= n; ++j) {
                    if (usado[j]) continue;
                    const int custo = paraInicio_[j - 1][caixas[i0 - 1]] - u[i0] - v[j];
                    if (custo < menor[j]) {
                        menor[j] = custo;
                        anterior[j] = j0;
                    }
                    if (menor[j] < delta) {
                        delta = menor[j];
                        j1 = j;
                    }
                }
                for (int j = 0; j <= n; ++j) {
                    if (usado[j]) {
                        u[dono[j]] += delta;
                        v[j] -= delta;
                    } else {
                        menor[j] -= delta;
                    }
                }
                j0 = j1;
            } while (dono[j0] != 0);
            do {
                const int j1 = anterior[j0];
                dono[j0] = dono[j1];
                j0 = j1;
            } while (j0);
        }
        return -v[0];
    }

    static std::string chave(int area, const Caixas& caixas) {
        std::string k(2 + 2 * caixas.size(), '\0');
        k[0] = static_cast<char>(area & 0xFF);
        k[1] = static_cast<char>(area >> 8);
        for (size_t i = 0; i < caixas.size(); ++i) {
            k[2 + 2 * i] = static_cast<char>(caixas[i] & 0xFF);
            k[3 + 2 * i] = static_cast<char>(caixas[i] >> 8);
        }
        return k;
    }

    Solucao monta(int primeiro) const;

    const DadosFase& fase_;
    std::array<bool, CELULAS> parede_{};
    std::vector<int> inicio_;                          // the boxes' start cells, sorted
    std::vector<std::array<int, CELULAS>> paraInicio_;  // pulls to each start cell
    std::vector<No> nos_;
};

std::optional<Solucao> Busca::resolve(int peso, long limiteEstados) {
    struct Aberto {
        int f, g, no;
        int heroi;
        Caixas caixas;
        bool operator<(const Aberto& o) const { return f != o.f ? f > o.f : g < o.g; }
    };
    std::priority_queue<Aberto> abertos;

    // Solved position: every target covered, the hero in any area left free.
    Caixas solucao;
    std::vector<char> ocupado(CELULAS, 0);
    for (int i = 0; i < CELULAS; ++i)
        if ((*fase_.mapa)[i / COLUNAS][i % COLUNAS] == ALVO) {
            solucao.push_back(static_cast<int16_t>(i));
            ocupado[i] = 1;
        }
    if (solucao.size() != inicio_.size()) return std::nullopt;
    const int h0 = estimativa(solucao);
    if (h0 >= INFINITO) return std::nullopt;
    const int heroiInicio = indice(fase_.inicioHeroi);
    std::vector<char> coberto(CELULAS, 0);
    for (int c = 0; c < CELULAS; ++c) {
        if (!livre(c) || ocupado[c] || coberto[c]) continue;
        int area;
        const std::vector<char> regiao = alcance(c, ocupado, area);
        for (int i = 0; i < CELULAS; ++i) coberto[i] |= regiao[i];
        nos_.push_back({-1, {0, 0}});
        abertos.push({peso * h0, 0, static_cast<int>(nos_.size()) - 1, c, solucao});
    }

    std::unordered_map<std::string, int> vistos;
    while (!abertos.empty()) {
        Aberto atual = abertos.top();
        abertos.pop();
        std::fill(ocupado.begin(), ocupado.end(), 0);
        for (int c : atual.caixas) ocupado[c] = 1;
        int area;
        const std::vector<char> alcancavel = alcance(atual.heroi, ocupado, area);
        if (!vistos.emplace(chave(area, atual.caixas), atual.no).second) continue;
        if (alcancavel[heroiInicio] &&
            std::equal(atual.caixas.begin(), atual.caixas.end(), inicio_.begin()))
            return monta(atual.no);
        if (static_cast<long>(vistos.size()) >= limiteEstados) return std::nullopt;

        for (size_t i = 0; i < atual.caixas.size(); ++i) {
            const int c = atual.caixas[i];
            for (int d = 0; d < 4; ++d) {
                // Pull: the hero stands at `para` beside the box, steps back to
                // `recuo`, and the box follows into `para`.
                const int para = passo(c, d);
                const int recuo = passo(para, d);
                if (para < 0 || !alcancavel[para] || !livre(recuo) || ocupado[recuo]) continue;
                Caixas novas = atual.caixas;
                novas[i] = static_cast<int16_t>(para);
                std::sort(novas.begin(), novas.end());
                const int h = estimativa(novas);
                if (h >= INFINITO) continue;  // some box can reach no start cell of its own
                nos_.push_back({atual.no, {static_cast<int16_t>(para), static_cast<int8_t>(d ^ 1)}});
                const int g = atual.g + 1;
                abertos.push({g + peso * h, g, static_cast<int>(nos_.size()) - 1, recuo,
                              std::move(novas)});
            }
        }
    }
    return std::nullopt;
}

// Walks the chain from the start position to the solved one, the hero
// taking the shortest path to each push.
Solucao Busca::monta(int primeiro) const {
    std::vector<char> ocupado(CELULAS, 0);
    for (int c : inicio_) ocupado[c] = 1;
    int heroi = indice(fase_.inicioHeroi);

    Solucao s;
    for (int n = primeiro; nos_[n].pai >= 0; n = nos_[n].pai) {
        const Empurrao e = nos_[n].empurrao;
        const int destino = passo(e.de, e.direcao ^ 1);
        std::vector<int> veioDe(CELULAS, -1);
        std::deque<int> fila{heroi};
        veioDe[heroi] = heroi;
        while (!fila.empty() && veioDe[destino] < 0) {
            const int c = fila.front();
            fila.pop_front();
            for (int d = 0; d < 4; ++d) {
                const int v = passo(c, d);
                if (livre(v) && !ocupado[v] && veioDe[v] < 0) {
                    veioDe[v] = c;
                    fila.push_back(v);
                }
            }
        }
        std::string caminho;
        for (int c = destino; c != heroi; c = veioDe[c]) {
            const int p = veioDe[c];
            for (int d = 0; d < 4; ++d)
                if (passo(p, d) == c) caminho += DIRECOES[d].letra;
        }
        std::reverse(caminho.begin(), caminho.end());
        s.setas += caminho;
        s.setas += DIRECOES[e.direcao].letra;
        ++s.movimentos;
        ocupado[e.de] = 0;
        ocupado[passo(e.de, e.direcao)] = 1;
        heroi = e.de;
    }
    s.passos = static_cast<int>(s.setas.size());
    return s;
}

}  // namespace

std::optional<Solucao> resolve(const DadosFase& fase, int peso, long limiteEstados) {
    return Busca(fase).resolve(peso, limiteEstados);
}
