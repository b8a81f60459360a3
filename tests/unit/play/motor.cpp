#include "play/motor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "play/passosQuadro.h"

// The screen's side of one frame, from the script.
struct Motor::Tela {
    Motor& m;
    const Quadro& q;

    void desenhaTabuleiro() {}
    void desenhaBotoes() {}
    void desenhaCaixas() { m.desenhoNoAlvo = m.estado.caixaNoAlvo; }
    void desenhaHeroi() {}
    void desenhaPainel() {}
    void desenhaRelogio() {}
    void desenhaMusica() {}

    bool teclaV() { return q.v; }
    bool teclaR() { return q.r; }
    Mouse mouse() { return q.mouse; }
    Setas setas(LeituraSetas leitura) {
        if (leitura == LeituraSetas::parede) return q.setas;
        if (leitura == LeituraSetas::bloqueios && q.soltaNoFim) return {};
        return une(q.setas, q.descemNaTecla);
    }
    int larguraCaixa() { return m.largura_; }
    int alturaCaixa() { return m.altura_; }

    void recolhe() {}
    bool teclaEsperando() { return m.buffer; }
    void pausa(unsigned) { ++m.pausas; }
    void esvaziaTeclado() { m.buffer = false; }
    void termina() { m.esc = true; }

    void tocaFaixa(int) {}
    void paraMusica() {}
    TeclasMusica teclasMusica() { return {}; }
};

void Motor::quadro(const Quadro& q) {
    ++quadros;
    buffer = buffer || q.tecla;
    Tela tela{*this, q};
    passaQuadro(estado, fase, tela, contTempo);
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

std::map<int, SolucaoGuardada> solucoesGuardadas() {
    std::map<int, SolucaoGuardada> r;
    std::ifstream arq(SOLUCOES_TXT);
    std::string linha;
    while (std::getline(arq, linha)) {
        if (linha.empty() || linha[0] == '#') continue;
        std::istringstream in(linha);
        int n;
        SolucaoGuardada reg;
        in >> n >> reg.passos >> reg.movimentos >> reg.setas;
        r[n] = reg;
    }
    return r;
}
