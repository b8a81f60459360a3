// Every update method puts on display, after every update and whenever the
// game waits, the very picture that method 4 (a memory back buffer blitted
// onto one page) drawing everything puts there, whether frames are drawn whole
// or only where they changed. One scripted session goes through every screen,
// under each update method (and under the other colour depths), with a
// stand-in graphics driver whose pages are memory bitmaps that flip as a real
// driver's do: the page on display is fingerprinted once each update is done
// and at each wait, and the runs' fingerprints are compared one by one. The
// driver's bitmaps also count their acquisitions: nothing may wait, nor a
// screen start, while one is held, and a release must name a held bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <allegro.h>

#include "menus/menus.h"
#include "pasta_temporaria.h"
#include "play/progresso.h"
#include "screen/al_screen.h"
#include "screen/al_screen_driver.h"
#include "shell/entrada.h"
#include "shell/globais.h"
#include "shell/laco.h"
#include "shell/recursos.h"

// Level play draws its first track from the time: the same in every run.
// With no system driver the library's timer cannot start, which playing
// music and resting would do: nothing to hear or wait for here.
extern "C" {
time_t __wrap_time(time_t* t) {
    if (t) *t = 0;
    return 0;
}
int __wrap_play_midi(MIDI*, int) { return 0; }
void __wrap_stop_midi() {}
void __wrap_rest(unsigned) {}
}

namespace {

namespace fs = std::filesystem;

// The stand-in driver: every page a memory bitmap; the one on display is the
// last shown or requested (methods 3 and 4 show theirs once, at set-up).
bool triplo = false, semBitmaps = false;
BITMAP* mostrada = nullptr;
bool mudou = false;  // the page on display changed since it was last looked at

struct Vistos {
    std::vector<uint64_t> porAtualizacao;  // once each update is done
    std::vector<uint64_t> emEspera;        // whenever the game waits
    std::vector<std::string> travas;       // faults in acquiring and releasing
};
Vistos vistos;
screen_driver driver;

uint64_t impressao(BITMAP* b) {
    const size_t bytes = b->w * ((bitmap_color_depth(b) + 7) / 8);
    uint64_t h = 0;
    for (int y = 0; y < b->h; ++y)
        h = h * 1099511628211ull ^ std::hash<std::string_view>{}({reinterpret_cast<const char*>(b->line[y]), bytes});
    return h;
}
// An update is done when the next one begins or the game waits.
void olhaAtualizacao() {
    if (mudou && mostrada) vistos.porAtualizacao.push_back(impressao(mostrada));
    mudou = false;
}
void mostra(BITMAP* b) {
    olhaAtualizacao();
    mostrada = b;
    mudou = true;
}

// The bitmaps the driver hands out lock as video bitmaps do.
std::map<const BITMAP*, int> adquiridos;
std::map<const GFX_VTABLE*, std::unique_ptr<GFX_VTABLE>> tabelasComTrava;
void adquire(BITMAP* b) { ++adquiridos[b]; }
void falhaDeTrava(const std::string& qual) {
    if (vistos.travas.size() < 3) vistos.travas.push_back(qual);
}
void solta(BITMAP* b) {
    if (adquiridos[b] == 0) falhaDeTrava("a release of a bitmap not acquired");
    else --adquiridos[b];
}
BITMAP* comTrava(BITMAP* b) {
    if (!b) return b;
    auto& t = tabelasComTrava[b->vtable];
    if (!t) {
        t = std::make_unique<GFX_VTABLE>(*b->vtable);
        t->acquire = adquire;
        t->release = solta;
    }
    b->vtable = t.get();
    return b;
}
void confereTravas(const char* quando) {
    for (const auto& [b, n] : adquiridos)
        if (n > 0) falhaDeTrava(std::string("a bitmap acquired ") + quando);
}

// One input change a tick; the loop's rest delivers the ticks.
std::vector<std::function<void()>> roteiro;
size_t passo = 0;
int mx = 0, my = 0;

// Every wait of the game: a screen's loop between frames, and the wait for
// Enter under the level-complete panel.
void descansoRoteirizado(unsigned) {
    olhaAtualizacao();
    vistos.emEspera.push_back(impressao(mostrada));
    confereTravas("while the game waits");
    if (passo >= roteiro.size()) {
        // The session is over: nothing waits for ever.
        FecharJogo = 1;
        teclasAbaixo[KEY_ENTER] = 1;
        return;
    }
    if (roteiro[passo]) roteiro[passo]();
    if (++passo % 60 == 0) ++contTempo;  // the level clock's seconds
    ++contFrames;
}

void espera(int ticks) {
    for (int i = 0; i < ticks; ++i) roteiro.push_back({});
}
void vaiPara(int x, int y, int passos = 6) {
    const int x0 = mx, y0 = my;
    for (int i = 1; i <= passos; ++i) {
        const int xi = x0 + (x - x0) * i / passos, yi = y0 + (y - y0) * i / passos;
        roteiro.push_back([xi, yi] { mouse_x = xi, mouse_y = yi; });
    }
    mx = x, my = y;
}
void clica(int x, int y) {
    vaiPara(x, y);
    roteiro.push_back([] { mouse_b = 1; });
    roteiro.push_back({});
    roteiro.push_back([] { mouse_b = 0; });
    espera(2);
}
void tecla(int k, bool comBuffer = false) {
    roteiro.push_back([k, comBuffer] {
        teclasAbaixo[k] = 1;
        if (comBuffer) simulate_keypress(k << 8);
    });
    roteiro.push_back([k] { teclasAbaixo[k] = 0; });
}
void circula(int cx, int cy, int raio, int passos) {
    for (int i = 0; i < passos; ++i) {
        const double a = 6.2832 * i / 40;
        vaiPara(cx + int(raio * std::cos(a)), cy + int(raio * std::sin(a)), 1);
    }
}

// Level 1's solution, one arrow press per letter.
std::string solucaoFase1() {
    std::ifstream f(SOLUCOES_TXT);
    std::string linha;
    while (std::getline(f, linha)) {
        std::istringstream l(linha);
        int fase, passos, empurroes;
        std::string teclas;
        if (l >> fase >> passos >> empurroes >> teclas && fase == 1) return teclas;
    }
    return "";
}

// Every screen: the title still and with the pointer on its buttons and
// circling, the first page's levels, the new-game box opened and closed, the
// second page and back, level 1 with the clock ticking, the buttons lit, a
// track changed, left with Escape, then played to its end and the
// level-complete screen left with Enter, then back out to the end.
void escreveRoteiro() {
    roteiro.clear();
    mx = my = 0;
    roteiro.push_back([] { mouse_x = mouse_y = 0; });
    espera(70);
    vaiPara(400, 370), espera(10), vaiPara(390, 480), espera(10);
    circula(400, 300, 120, 80);
    clica(400, 370);  // the play button: the first page
    vaiPara(100, 140), espera(5), vaiPara(570, 100), espera(5), vaiPara(424, 517), espera(5);
    clica(92, 557);  // new game: the box grows
    vaiPara(320, 350), espera(5), vaiPara(475, 350), espera(5);
    clica(475, 350);  // no
    clica(424, 517);  // the second page
    vaiPara(400, 250), espera(5), vaiPara(737, 547), espera(5);
    clica(364, 517);  // back
    clica(100, 140);  // level 1
    espera(30);
    tecla(KEY_RIGHT, true), espera(5), tecla(KEY_LEFT, true), espera(130);
    vaiPara(110, 60), espera(10), vaiPara(70, 60), espera(10), vaiPara(600, 300);
    tecla(KEY_F3), espera(10), tecla(KEY_F1), espera(10), tecla(KEY_F2), espera(10);
    clica(70, 60);  // restart
    tecla(KEY_ESC), espera(10);
    clica(100, 140);  // level 1 again, solved
    espera(10);
    for (char c : solucaoFase1()) {
        const int k = c == 'C' ? KEY_UP : c == 'B' ? KEY_DOWN : c == 'E' ? KEY_LEFT : KEY_RIGHT;
        tecla(k, true), espera(3);
    }
    espera(20);  // the panel grows, then waits for Enter
    roteiro.push_back([] { teclasAbaixo[KEY_ENTER] = 1; });
    roteiro.push_back([] { teclasAbaixo[KEY_ENTER] = 0; });
    vaiPara(200, 160), espera(10);
    tecla(KEY_ESC), espera(5);  // the title again
    espera(30);
    roteiro.push_back([] { teclasAbaixo[KEY_ESC] = 1; });  // the end
}

// One run of the session: what each update and each wait displayed.
Vistos sessao(int metodo, bool inteiro) {
    quadroInteiro = inteiro;
    vistos = {};
    adquiridos.clear();
    mudou = false;
    passo = 0;
    FecharJogo = 0;
    contFrames = 0;
    contTempo = 0;
    clear_keybuf();
    for (int k = 0; k < KEY_MAX; ++k) teclasAbaixo[k] = 0;
    mapaLiberado = 1;
    fs::remove("save.bin");
    triplo = metodo == UPDATE_TRIPLE_BUFFER || metodo == UPDATE_MEMORY_TRIPLE_BUFFER;
    semBitmaps = metodo == UPDATE_NONE;
    mostrada = nullptr;
    Bitmap tela(comTrava(create_bitmap(800, 600)));
    clear_bitmap(tela.get());
    if (semBitmaps) screen = mostrada = tela.get();
    EXPECT_EQ(initialize_screen_updating(semBitmaps ? UPDATE_TRIPLE_BUFFER : metodo), metodo);
    // Methods 3 and 4 wait for the retrace at each update when asked: the
    // moment the update before it is done, even one that copied nothing. With
    // no method the game would wait on the library's own (no driver here):
    // looked at in waits only.
    if (!semBitmaps) enable_vsync();
    telaTitulo();
    olhaAtualizacao();
    EXPECT_EQ(passo, roteiro.size()) << "the title screen ended with the script";
    EXPECT_EQ(mapaLiberado, 2) << "level 1 was solved";
    disable_vsync();
    shutdown_screen_updating();
    screen = nullptr;
    liberaRecursos();
    return vistos;
}

// The first difference between two runs' fingerprints, or "" when none.
std::string diferenca(const char* o_que, const std::vector<uint64_t>& visto,
                      const std::vector<uint64_t>& esperado) {
    if (visto.size() != esperado.size())
        return std::string(o_que) + ": " + std::to_string(visto.size()) + " pictures instead of " +
               std::to_string(esperado.size());
    auto [a, b] = std::mismatch(visto.begin(), visto.end(), esperado.begin());
    if (a == visto.end()) return "";
    size_t diferentes = 0;
    for (size_t i = 0; i < visto.size(); ++i) diferentes += visto[i] != esperado[i];
    return std::string(o_que) + ": " + std::to_string(diferentes) + " of " +
           std::to_string(visto.size()) + " differ, first at " + std::to_string(a - visto.begin());
}

class Sessao : public ::testing::TestWithParam<std::pair<int, int>> {
protected:
    static void SetUpTestSuite() {
        driver = allegro_screen_driver();
        driver.capabilities = [] { return triplo ? GFX_CAN_TRIPLE_BUFFER : 0; };
        driver.enable_triple_buffer = [] { return -1; };
        driver.screen_w = [] { return 800; };
        driver.screen_h = [] { return 600; };
        driver.create_video_bitmap = [](int w, int h) {
            return semBitmaps ? nullptr : comTrava(create_bitmap(w, h));
        };
        driver.create_system_bitmap = [](int w, int h) {
            return semBitmaps ? nullptr : comTrava(create_bitmap(w, h));
        };
        driver.create_bitmap = [](int w, int h) { return semBitmaps ? nullptr : create_bitmap(w, h); };
        driver.show_video_bitmap = [](BITMAP* b) {
            mostra(b);
            return 0;
        };
        driver.request_video_bitmap = [](BITMAP* b) {
            mostra(b);
            return 0;
        };
        driver.poll_scroll = [] { return 0; };
        // Methods 3 and 4 begin each update with it (asked for below).
        driver.vsync = [] {
            olhaAtualizacao();
            mudou = true;
        };
        driver.blit = [](BITMAP* src, BITMAP* dst, int sx, int sy, int dx, int dy, int w, int h) {
            blit(src, dst, sx, sy, dx, dy, w, h);
            if (dst == mostrada) mudou = true;
        };
        set_screen_driver(&driver);
        descansa = descansoRoteirizado;
        // The pictures, fonts and tracks of the run folder; save.bin of its own.
        pasta = std::make_unique<PastaTemporaria>();
        for (const char* d : {"img", "fonts", "mid"})
            fs::create_directory_symlink(fs::path(ZEPKO_RUN_DIR) / d, pasta->caminho / d);
        escreveRoteiro();
    }
    static void TearDownTestSuite() {
        pasta.reset();
        set_screen_driver(nullptr);
        descansa = rest;
        quadroInteiro = false;
    }
    static inline std::unique_ptr<PastaTemporaria> pasta;
};

TEST_P(Sessao, ShowsWhatMethod4DrawingEverythingShows) {
    const auto [metodo, bits] = GetParam();
    set_color_depth(bits);
    static std::map<int, Vistos> referencias;
    if (!referencias.count(bits)) referencias[bits] = sessao(UPDATE_DOUBLE_BUFFER, true);
    const Vistos& ref = referencias[bits];
    ASSERT_GE(ref.emEspera.size(), roteiro.size()) << "a look after every frame at least";
    for (bool inteiro : {true, false}) {
        SCOPED_TRACE(inteiro ? "drawn whole" : "drawn where it changed");
        const Vistos v = sessao(metodo, inteiro);
        EXPECT_EQ(diferenca("waits", v.emEspera, ref.emEspera), "");
        // With no method the frames are drawn on the screen itself: no updates.
        if (metodo != UPDATE_NONE) {
            EXPECT_EQ(diferenca("updates", v.porAtualizacao, ref.porAtualizacao), "");
        }
        EXPECT_EQ(v.travas, std::vector<std::string>{});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Metodos, Sessao,
    ::testing::Values(std::pair{0, 32}, std::pair{1, 32}, std::pair{2, 32}, std::pair{3, 32},
                      std::pair{4, 32}, std::pair{5, 32}, std::pair{6, 32}, std::pair{5, 8},
                      std::pair{5, 15}, std::pair{5, 16}, std::pair{5, 24}),
    [](const auto& i) {
        return "metodo" + std::to_string(i.param.first) + "_" + std::to_string(i.param.second) + "bits";
    });

}  // namespace
