// One level-play frame (noted and drawn where it changed, and drawn whole)
// against one full-screen blit in the same run, and the
// time from entering a level to its first shown frame (cold and warm cache).
// Memory bitmaps only. With a DISPLAY (the library's timers and sound need
// its system driver) it also times the music: the first play of a track,
// which loads its instruments, and loading those of all twelve at once.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "play/faixas.h"
#include "play/partida.h"
#include "screen/frame_recorder.h"
#include "shell/globais.h"
#include "shell/recursos.h"

namespace {

Bitmap bloco(int w, int h, int cor) {
    Bitmap b(create_bitmap(w, h));
    clear_to_color(b.get(), cor);
    // Transparent corners, so draw_sprite has masked pixels to skip.
    rectfill(b.get(), 0, 0, w / 4, h / 4, makecol(255, 0, 255));
    return b;
}

// The run folder's files, with stand-ins of the same size for any missing
// one so the frame draws as much as it does in the game. `faltando` counts
// the stand-ins of the last call.
struct Figuras {
    std::map<std::string, Bitmap> substitutos;
    int faltando = 0;

    BITMAP* ou(BITMAP* b, const char* nome, int w, int h) {
        if (b) return b;
        ++faltando;
        auto& s = substitutos[nome];
        if (!s) s = bloco(w, h, makecol(90, 140, 200));
        return s.get();
    }

    RecursosFase completa(RecursosFase r) {
        faltando = 0;
        for (int i = 0; i < 5; ++i) r.pecas[i] = ou(r.pecas[i], "peca", 40, 40);
        for (int i = 0; i < 5; ++i) r.heroi[i] = ou(r.heroi[i], "heroi", 22, 36);
        r.caixa = ou(r.caixa, "caixa", 40, 40);
        r.caixaNoAlvo = ou(r.caixaNoAlvo, "caixa", 40, 40);
        r.voltar = ou(r.voltar, "botao", 36, 30);
        r.voltar2 = ou(r.voltar2, "botao", 36, 30);
        r.replay = ou(r.replay, "botao", 36, 30);
        r.replay2 = ou(r.replay2, "botao", 36, 30);
        return r;
    }
};

Figuras figuras;

void silencia(Partida& p) {
    p.entrada.tocaFaixa = [](int) {};
    p.entrada.paraMusica = [] {};
    p.entrada.pausa = [](unsigned) {};
}

// Level 9, ten boxes, the pointer on the undo button so its label is drawn
// too, the clock running.
void preparaQuadroFase(Partida& p) {
    silencia(p);
    static int mx = 110, my = 60, mb = 0;
    p.entrada.mouseX = &mx;
    p.entrada.mouseY = &my;
    p.entrada.mouseB = &mb;
    p.entrada.teclaEsperando = [] { return false; };
    p.estado.tempoIniciado = true;
    p.estado.faixa = 3;
}

// The whole frame, as ZEPKO_PRESENT=full draws it.
void BM_QuadroFaseInteiro(benchmark::State& state) {
    Partida p(tabelaFases[8], figuras.completa(carregaRecursosFase(Estilo::padrao)));
    preparaQuadroFase(p);
    Bitmap alvo(create_bitmap(800, 600));
    for (auto _ : state) {
        quadroPartida(p, alvo.get());
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(figuras.faltando) + " stand-in pictures");
}
BENCHMARK(BM_QuadroFaseInteiro);

// The frame as the loop draws it, noted and then drawn where it changed,
// with the clock showing another second in every frame: at most what a
// frame without input draws (the clock changes once in sixty).
void BM_QuadroFase(benchmark::State& state) {
    Partida p(tabelaFases[8], figuras.completa(carregaRecursosFase(Estilo::padrao)));
    preparaQuadroFase(p);
    Bitmap tela(create_bitmap(800, 600));
    BITMAP* alvo = create_recording_target(tela.get());
    int segundo = 0;
    for (auto _ : state) {
        contTempo = ++segundo % 60;
        quadroPartida(p, alvo);
        draw_recording(alvo);
        record_onto(alvo, tela.get());
        benchmark::ClobberMemory();
    }
    destroy_recording_target(alvo);
}
BENCHMARK(BM_QuadroFase);

void BM_BlitTelaCheia(benchmark::State& state) {
    Bitmap origem = bloco(800, 600, makecol(10, 20, 30));
    Bitmap alvo(create_bitmap(800, 600));
    for (auto _ : state) {
        blit(origem.get(), alvo.get(), 0, 0, 0, 0, 800, 600);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlitTelaCheia);

// What jogar does up to the first frame that reaches the display: set-up,
// the hidden first frame (whose music step starts the track), the second
// frame. The loop clears neither: the board covers them.
void entraNaFase(BITMAP* tela, bool comMusica = false) {
    Bitmap primeiro(create_bitmap(800, 600));
    Partida p(tabelaFases[8], figuras.completa(carregaRecursosFase(Estilo::padrao)));
    iniciaMusica(p);
    if (!comMusica) silencia(p);
    quadroPartida(p, primeiro.get());
    quadroPartida(p, tela);
    benchmark::DoNotOptimize(tela->line[0]);
    if (comMusica) stop_midi();
}

void BM_EntradaPrimeira(benchmark::State& state) {
    Bitmap tela(create_bitmap(800, 600));
    for (auto _ : state) {
        state.PauseTiming();
        liberaRecursos();
        state.ResumeTiming();
        entraNaFase(tela.get());
    }
}
BENCHMARK(BM_EntradaPrimeira)->Unit(benchmark::kMicrosecond);

void BM_EntradaSeguinte(benchmark::State& state) {
    Bitmap tela(create_bitmap(800, 600));
    entraNaFase(tela.get());
    for (auto _ : state) entraNaFase(tela.get());
}
BENCHMARK(BM_EntradaSeguinte)->Unit(benchmark::kMicrosecond);

// The synthesizer keeps every instrument it has loaded until the sound
// system goes: a new one forgets them all.
void somNovo() {
    remove_sound();
    install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr);
}

// Entering a level whose track has never played: play_midi loads its
// instruments before the first frame ends.
void BM_EntradaFaixaNova(benchmark::State& state) {
    Bitmap tela(create_bitmap(800, 600));
    entraNaFase(tela.get());
    for (auto _ : state) {
        state.PauseTiming();
        somNovo();
        state.ResumeTiming();
        entraNaFase(tela.get(), true);
    }
}

// What loading the instruments of all twelve tracks would add to start-up.
void BM_InstrumentosDasDozeFaixas(benchmark::State& state) {
    for (const Faixa& f : faixas) musica(f.arquivo);
    for (auto _ : state) {
        state.PauseTiming();
        somNovo();
        state.ResumeTiming();
        for (const Faixa& f : faixas) {
            play_midi(musica(f.arquivo), 0);
            stop_midi();
        }
    }
}

// Prints the results as usual and keeps each benchmark's time per iteration.
class Relator : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> tempos;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration)
                tempos[r.benchmark_name()] = r.GetAdjustedRealTime() /
                                             benchmark::GetTimeUnitMultiplier(r.time_unit);
    }
};

}  // namespace

int main(int argc, char** argv) {
    set_uformat(U_ASCII);
    const bool comX = std::getenv("DISPLAY") != nullptr;
    if ((comX ? allegro_init() : install_allegro(SYSTEM_NONE, &errno, atexit)) != 0) return 1;
    set_color_depth(32);
    if (chdir(ZEPKO_RUN_DIR) != 0) std::fprintf(stderr, "no run folder: stand-ins only\n");
    if (comX) {
        install_timer();
        set_config_file("config.txt");  // the run folder's: it names the instruments
        if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) == 0) {
            benchmark::RegisterBenchmark("BM_EntradaFaixaNova", BM_EntradaFaixaNova)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark("BM_InstrumentosDasDozeFaixas",
                                         BM_InstrumentosDasDozeFaixas)
                ->Unit(benchmark::kMillisecond);
        }
    }

    benchmark::Initialize(&argc, argv);
    Relator relator;
    benchmark::RunSpecifiedBenchmarks(&relator);
    auto& t = relator.tempos;
    if (t.count("BM_QuadroFase") && t.count("BM_BlitTelaCheia"))
        std::printf("frame / full-screen blit: %.2f (target <= 1.2)\n",
                    t["BM_QuadroFase"] / t["BM_BlitTelaCheia"]);
    if (t.count("BM_EntradaPrimeira") && t.count("BM_EntradaSeguinte"))
        std::printf("first entry / later entry: %.1f\n",
                    t["BM_EntradaPrimeira"] / t["BM_EntradaSeguinte"]);
    benchmark::Shutdown();
    // Before the library shuts down at exit.
    figuras.substitutos.clear();
    liberaRecursos();
    return 0;
}
