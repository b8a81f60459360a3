#include "partida.h"

#include <cstdlib>
#include <ctime>

#include "play/faixas.h"
#include "play/passosQuadro.h"
#include "play/regras.h"
#include "play/tocador.h"
#include "screen/cursor.h"
#include "shell/globais.h"

namespace {

// The level screen's side of the frame's steps: the keys, the mouse and the
// pictures of Partida.
struct TelaPartida {
    Partida& p;
    BITMAP* alvo;

    EntradaFase& e() { return p.entrada; }

    void desenhaTabuleiro() { blit(p.fundo.get(), alvo, 0, 0, 0, 0, p.fundo->w, p.fundo->h); }
    void desenhaBotoes() { ::desenhaBotoes(alvo, p.fase.layoutBotoes, p.rec, e().x(), e().y()); }
    void desenhaCaixas() { ::desenhaCaixas(alvo, p.estado, p.rec); }
    void desenhaHeroi() { ::desenhaHeroi(alvo, p.estado, p.rec); }
    void desenhaPainel() {
        p.painel.desenha(alvo, p.rec);
        desenhaContadores(alvo, p.estado, p.rec);
    }
    void desenhaRelogio() { ::desenhaRelogio(alvo, p.estado, p.rec); }
    void desenhaMusica() {
        desenhaTituloFaixa(alvo, p.estado.faixa, p.rec);
        // The pointer goes over everything, the music lines at the bottom too.
        desenha(alvo, p.cursor.get(), e().x(), e().y());
    }

    bool teclaV() { return e().tecla(KEY_V); }
    bool teclaR() { return e().tecla(KEY_R); }
    Mouse mouse() { return Mouse{e().x(), e().y(), e().clique() ? 1 : 0}; }
    Setas setas(LeituraSetas) {
        Setas s;
        s.cima = e().tecla(KEY_UP);
        s.baixo = e().tecla(KEY_DOWN);
        s.esquerda = e().tecla(KEY_LEFT);
        s.direita = e().tecla(KEY_RIGHT);
        return s;
    }
    int larguraCaixa() { return p.rec.caixa ? p.rec.caixa->w : TAM_CELULA; }
    int alturaCaixa() { return p.rec.caixa ? p.rec.caixa->h : TAM_CELULA; }

    void recolhe() { e().recolhe(); }
    bool teclaEsperando() { return e().teclaEsperando(); }
    void pausa(unsigned ms) { e().pausa(ms); }
    void esvaziaTeclado() { e().esvaziaTeclado(); }
    void termina() { e().teclas[KEY_ESC] = 1; }

    void tocaFaixa(int faixa) {
        if (e().tocaFaixa) e().tocaFaixa(faixa);
    }
    void paraMusica() { e().paraMusica(); }
    TeclasMusica teclasMusica() {
        TeclasMusica fs;
        fs.f2 = e().tomaTecla(KEY_F2);
        fs.f3 = e().tomaTecla(KEY_F3);
        fs.f1 = e().tomaTecla(KEY_F1);
        return fs;
    }
};

}  // namespace

void silenciaMusica() {
    stop_midi();
    // stop_midi only releases the notes: the synthesizer's samples then fade
    // out for up to half a second, on top of what the sound buffer holds.
    // Its voices are the last ones, each bound to a mixer voice for good.
    if (midi_driver && midi_driver->basevoice >= 0)
        for (int v = 0; v < midi_driver->voices; ++v) voice_stop(midi_driver->basevoice + v);
}

void tocaFaixa(int numero) {
    // A missing track is left out: the level plays on in silence.
    if (MIDI* m = musica(faixas[numero - 1].arquivo)) play_midi(m, -1);
}

Partida::Partida(const DadosFase& f, const RecursosFase& r)
    : fase(f),
      estado(iniciaEstado(f)),
      rec(r),
      fundo(create_bitmap(COLUNAS * TAM_CELULA, LINHAS * TAM_CELULA)),
      painel(COLUNAS * TAM_CELULA, rec),
      cursor(makeCursor()) {
    // A cell whose code has no picture shows black rather than stale memory.
    clear_bitmap(fundo.get());
    preRenderiza(fundo.get(), *fase.mapa, rec);
    // The frame's outlines above the panel and the music footer go into the
    // board: nothing the frame draws before them reaches their pixels. Hero
    // and boxes stay inside the walls, several cells from the board's edge;
    // the standard buttons and their labels start right of and below the
    // frame's corner; the panel and the bonus buttons end above the footer.
    molduraTabuleiro(fundo.get());
    desenhaRodapeMusica(fundo.get());
}

void iniciaMusica(Partida& p) {
    for (const Faixa& f : faixas) musica(f.arquivo);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    iniciaTocador(p.estado, tempoParado() ? 0 : std::rand());
    p.entrada.tocaFaixa = tocaFaixa;
}

void quadroPartida(Partida& p, BITMAP* alvo) {
    TelaPartida tela{p, alvo};
    passaQuadro(p.estado, p.fase, tela, contTempo);
}
