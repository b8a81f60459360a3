#include "regras.h"

namespace {

// A cell outside the board stops like a wall, so a map with a gap in its
// frame can never move the hero or a box off the board.
int ladrilho(const DadosFase& fase, Celula c) {
    if (c.x < 0 || c.x >= COLUNAS || c.y < 0 || c.y >= LINHAS) return PAREDE;
    return (*fase.mapa)[c.y][c.x];
}

Celula vizinha(Celula c, int dx, int dy) { return {c.x + dx, c.y + dy}; }

Celula adiante(Celula c, int direcao) {
    switch (direcao) {
        case FRENTE: return vizinha(c, 0, 1);
        case DIREITA: return vizinha(c, 1, 0);
        case COSTAS: return vizinha(c, 0, -1);
        case ESQUERDA: return vizinha(c, -1, 0);
    }
    return c;
}

// Whether a box other than box `indice` (-1: any box) stands on `c`.
bool outraCaixaEm(const EstadoFase& e, int indice, Celula c) {
    for (int i = 0; i < e.numCaixas; ++i)
        if (i != indice && e.caixas[i] == c) return true;
    return false;
}

// Pushes box `i` from the hero's side in (dx, dy), or sets the flag that says why not.
void empurra(EstadoFase& e, const DadosFase& fase, int i, int dx, int dy) {
    Celula destino = vizinha(e.caixas[i], dx, dy);
    if (outraCaixaEm(e, i, destino)) {
        e.bloqueioCaixaCaixa = true;
        return;
    }
    e.bloqueioCaixaCaixa = false;
    if (ladrilho(fase, destino) == PAREDE) {
        e.bloqueioCaixaParede = true;
    } else {
        e.caixas[i] = destino;
        ++e.movimentos;
        e.bloqueioCaixaParede = false;
    }
}

}  // namespace

const BotoesJogo& botoesJogo(Estilo layoutBotoes) {
    return layoutBotoes == Estilo::bonus ? BOTOES_BONUS : BOTOES_PADRAO;
}

void pedidosBotoes(EstadoFase& e, const DadosFase& fase, bool teclaV, bool teclaR, Mouse mouse,
                   std::atomic<int>& contTempo) {
    const BotoesJogo& botoes = botoesJogo(fase.layoutBotoes);
    const bool clique = (mouse.b & 1) != 0;
    if (teclaV || (clique && botoes.voltar.area.contem(mouse.x, mouse.y))) {
        e.heroi = e.heroiAnterior;
        e.caixas = e.caixasAnteriores;
    }
    if (teclaR || (clique && botoes.reiniciar.area.contem(mouse.x, mouse.y))) {
        e.heroi = e.heroiAnterior = fase.inicioHeroi;
        e.caixas = e.caixasAnteriores = fase.inicioCaixas;
        e.minutos = e.segundos = e.passos = e.movimentos = 0;
        e.tempoIniciado = false;
        contTempo = 0;
        e.direcao = FRENTE;
    }
}

void testeParede(EstadoFase& e, const DadosFase& fase, Setas setas, int larguraCaixa,
                 int alturaCaixa) {
    const int hx = TAM_CELULA * e.heroi.x;
    const int hy = TAM_CELULA * e.heroi.y;
    for (int x = 0; x < COLUNAS; ++x) {
        for (int y = 0; y < LINHAS; ++y) {
            if ((*fase.mapa)[y][x] != PAREDE) continue;
            const int px = TAM_CELULA * x;
            const int py = TAM_CELULA * y;
            const bool mesmaLinha = y == e.heroi.y;
            const bool mesmaColuna = x == e.heroi.x;
            if ((mesmaLinha && setas.esquerda && hx == px + larguraCaixa) ||
                (mesmaLinha && setas.direita && hx + TAM_CELULA == px) ||
                (mesmaColuna && setas.cima && hy == py + alturaCaixa) ||
                (mesmaColuna && setas.baixo && hy + TAM_CELULA == py))
                e.bloqueioParede = true;
        }
    }
    // The board's edge holds no wall cell: an arrow pointing off it blocks too.
    if ((setas.esquerda && e.heroi.x <= 0) || (setas.direita && e.heroi.x >= COLUNAS - 1) ||
        (setas.cima && e.heroi.y <= 0) || (setas.baixo && e.heroi.y >= LINHAS - 1))
        e.bloqueioParede = true;
}

Tecla processaTecla(EstadoFase& e, const DadosFase& fase, Setas setas) {
    if (e.bloqueioParede) return Tecla::ignorada;
    if (setas.alguma()) e.tempoIniciado = true;

    e.heroiAnterior = e.heroi;
    e.caixasAnteriores = e.caixas;

    for (int i = 0; i < e.numCaixas; ++i) {
        const Celula c = e.caixas[i];
        if (setas.esquerda && c == vizinha(e.heroi, -1, 0))
            empurra(e, fase, i, -1, 0);
        else if (setas.direita && c == vizinha(e.heroi, 1, 0))
            empurra(e, fase, i, 1, 0);
        else if (setas.cima && c == vizinha(e.heroi, 0, -1))
            empurra(e, fase, i, 0, -1);
        else if (setas.baixo && c == vizinha(e.heroi, 0, 1))
            empurra(e, fase, i, 0, 1);
    }

    // Facing and pushing rank the arrows differently (Up first here, Left
    // first above): with Left+Up a box on the left moves and the hero goes up.
    if (setas.cima)
        e.direcao = COSTAS;
    else if (setas.baixo)
        e.direcao = FRENTE;
    else if (setas.esquerda)
        e.direcao = ESQUERDA;
    else if (setas.direita)
        e.direcao = DIREITA;
    else
        e.direcao = SEM_SETA;

    if (e.direcao != SEM_SETA && !e.bloqueioCaixaParede && !e.bloqueioCaixaCaixa) {
        const Celula destino = adiante(e.heroi, e.direcao);
        // The flags alone do not keep the hero out of a box or a wall: a box
        // refused in one held direction has its flag cleared by a later box
        // pushed in the other, and an arrow that went down after the wall
        // test is only seen here. The hero then turns without stepping.
        if (ladrilho(fase, destino) != PAREDE && !outraCaixaEm(e, -1, destino)) {
            e.heroi = destino;
            ++e.passos;
        }
    }
    return setas.alguma() ? Tecla::comSeta : Tecla::semSeta;
}

bool avaliaAlvos(EstadoFase& e, const DadosFase& fase) {
    for (int i = 0; i < e.numCaixas; ++i)
        e.caixaNoAlvo[i] = ladrilho(fase, e.caixas[i]) == ALVO;
    if (!todasNoAlvo(e)) return false;
    // The first complete evaluation only counts, so the next frame shows
    // every box on its target before the level ends.
    if (e.contConclusao % 2 == 0) {
        ++e.contConclusao;
        return false;
    }
    return true;
}

bool liberaBloqueios(EstadoFase& e, Setas setas) {
    bool algum = false;
    for (bool* bloqueio : {&e.bloqueioParede, &e.bloqueioCaixaParede, &e.bloqueioCaixaCaixa}) {
        if (!*bloqueio) continue;
        algum = true;
        if (setas.alguma()) *bloqueio = false;
    }
    return algum;
}

bool todasNoAlvo(const EstadoFase& e) {
    for (int i = 0; i < e.numCaixas; ++i)
        if (!e.caixaNoAlvo[i]) return false;
    return true;
}

void atualizaRelogio(EstadoFase& e, std::atomic<int>& contTempo) {
    if (!e.tempoIniciado) {
        contTempo = 0;
        return;
    }
    e.segundos = contTempo;
    if (e.segundos > 59) {
        e.segundos = 0;
        // Subtract rather than zero: a tick that lands between the read and
        // the write is kept instead of lost.
        contTempo -= 60;
        ++e.minutos;
    }
}

std::string textoRelogio(int valor) {
    return valor > 9 ? std::to_string(valor) : "0" + std::to_string(valor) + " ";
}
