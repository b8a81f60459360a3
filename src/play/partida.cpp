#include "partida.h"

#include <cstdlib>
#include <ctime>

#include "cursor.h"
#include "faixas.h"
#include "globais.h"
#include "regras.h"
#include "tocador.h"

namespace {

Setas setasDe(const EntradaFase& e) {
    Setas s;
    s.cima = e.tecla(KEY_UP);
    s.baixo = e.tecla(KEY_DOWN);
    s.esquerda = e.tecla(KEY_LEFT);
    s.direita = e.tecla(KEY_RIGHT);
    return s;
}

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
    iniciaTocador(p.estado, std::rand());
    p.entrada.tocaFaixa = tocaFaixa;
}

void quadroPartida(Partida& p, BITMAP* alvo) {
    EstadoFase& s = p.estado;
    const DadosFase& f = p.fase;
    EntradaFase& e = p.entrada;

    blit(p.fundo.get(), alvo, 0, 0, 0, 0, p.fundo->w, p.fundo->h);

    if (f.layoutBotoes == Estilo::padrao)
        desenhaBotoes(alvo, Estilo::padrao, p.rec, e.x(), e.y());

    pedidosBotoes(s, f, e.tecla(KEY_V), e.tecla(KEY_R),
                  Mouse{e.x(), e.y(), e.clique() ? 1 : 0}, contTempo);

    // Boxes and hero as the previous frame left them: a move shows next frame.
    desenhaCaixas(alvo, s, p.rec);
    const BITMAP* caixa = p.rec.caixa;
    testeParede(s, f, setasDe(e), caixa ? caixa->w : TAM_CELULA, caixa ? caixa->h : TAM_CELULA);
    desenhaHeroi(alvo, s, p.rec);

    // A press that came during this frame's drawing is taken now, with its
    // direction, rather than as a press with no arrow.
    e.recolhe();
    if (e.teclaEsperando()) {
        const Tecla t = processaTecla(s, f, setasDe(e));
        if (t == Tecla::comSeta) e.pausa(50);  // limits the walking speed
        if (t != Tecla::ignorada) e.esvaziaTeclado();
    }

    if (avaliaAlvos(s, f)) e.teclas[KEY_ESC] = 1;
    if (liberaBloqueios(s, setasDe(e))) e.esvaziaTeclado();

    p.painel.desenha(alvo, p.rec);
    desenhaContadores(alvo, s, p.rec);
    atualizaRelogio(s, contTempo);
    desenhaRelogio(alvo, s, p.rec);

    // The bonus layout sits over the panel: only the cursor goes over it.
    if (f.layoutBotoes == Estilo::bonus)
        desenhaBotoes(alvo, Estilo::bonus, p.rec, e.x(), e.y());

    const AcaoMusica acao = passoMusica(s);
    if (acao.tipo == AcaoMusica::tocar && e.tocaFaixa) e.tocaFaixa(acao.faixa);
    if (acao.tipo == AcaoMusica::parar) e.paraMusica();
    desenhaTituloFaixa(alvo, s.faixa, p.rec);
    // The pointer goes over everything, the music lines at the bottom too.
    desenha(alvo, p.cursor.get(), e.x(), e.y());

    TeclasMusica fs;
    fs.f2 = e.tomaTecla(KEY_F2);
    fs.f3 = e.tomaTecla(KEY_F3);
    fs.f1 = e.tomaTecla(KEY_F1);
    if (teclasMusica(s, fs)) e.paraMusica();
}
