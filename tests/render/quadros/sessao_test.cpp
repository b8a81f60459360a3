// Frames drawn and shown only where they changed put on display, after every
// update, the very picture that drawing and showing everything puts there.
// One scripted session goes through every screen twice, once each way, under
// each update method (and under the other colour depths), with a stand-in
// graphics driver whose pages are memory bitmaps: the page on display is
// fingerprinted whenever an update has shown something, and the two runs'
// fingerprints are compared one by one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include <allegro.h>

#include "al_screen.h"
#include "al_screen_driver.h"
#include "globais.h"
#include "laco.h"
#include "menus.h"
#include "progresso.h"
#include "recursos.h"

// Level play draws its first track from the time: the same in both runs.
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
std::vector<uint64_t> vistos;  // a fingerprint of the displayed page, per update
screen_driver driver;

uint64_t impressao(BITMAP* b) {
    const size_t bytes = b->w * ((bitmap_color_depth(b) + 7) / 8);
    uint64_t h = 0;
    for (int y = 0; y < b->h; ++y)
        h = h * 1099511628211ull ^ std::hash<std::string_view>{}({reinterpret_cast<const char*>(b->line[y]), bytes});
    return h;
}
void anota() {
    if (mostrada) vistos.push_back(impressao(mostrada));
}

// One input change a tick; the loop's rest delivers the ticks.
std::vector<std::function<void()>> roteiro;
size_t passo = 0;
int mx = 0, my = 0;

void descansoRoteirizado(unsigned) {
    anota();
    if (passo >= roteiro.size()) {
        FecharJogo = 1;
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
        key[k] = 1;
        if (comBuffer) simulate_keypress(k << 8);
    });
    roteiro.push_back([k] { key[k] = 0; });
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
    roteiro.push_back([] { key[KEY_ENTER] = 1; });  // the level-complete screen's wait ends at once
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
    espera(20);
    roteiro.push_back([] { key[KEY_ENTER] = 0; });
    vaiPara(200, 160), espera(10);
    tecla(KEY_ESC), espera(5);  // the title again
    espera(30);
    roteiro.push_back([] { key[KEY_ESC] = 1; });  // the end
}

// One run of the session: the fingerprints of what each update displayed.
std::vector<uint64_t> sessao(int metodo, bool inteiro) {
    quadroInteiro = inteiro;
    vistos.clear();
    passo = 0;
    FecharJogo = 0;
    contFrames = 0;
    contTempo = 0;
    clear_keybuf();
    for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    mapaLiberado = 1;
    fs::remove("save.bin");
    triplo = metodo == UPDATE_TRIPLE_BUFFER || metodo == UPDATE_MEMORY_TRIPLE_BUFFER;
    semBitmaps = metodo == UPDATE_NONE;
    mostrada = nullptr;
    Bitmap tela(create_bitmap(800, 600));
    clear_bitmap(tela.get());
    if (semBitmaps) screen = mostrada = tela.get();
    EXPECT_EQ(initialize_screen_updating(semBitmaps ? UPDATE_TRIPLE_BUFFER : metodo), metodo);
    // Methods 3 and 4 wait for the retrace at each update when asked: the
    // moment to look at what the last one showed. With no method the game
    // would wait on the library's own (no driver here): looked at between
    // frames only.
    if (!semBitmaps) enable_vsync();
    telaTitulo();
    anota();
    EXPECT_EQ(passo, roteiro.size()) << "the title screen ended with the script";
    EXPECT_EQ(mapaLiberado, 2) << "level 1 was solved";
    disable_vsync();
    shutdown_screen_updating();
    screen = nullptr;
    liberaRecursos();
    return vistos;
}

class Sessao : public ::testing::TestWithParam<std::pair<int, int>> {
protected:
    static void SetUpTestSuite() {
        set_uformat(U_ASCII);
        ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
        driver = allegro_screen_driver();
        driver.capabilities = [] { return triplo ? GFX_CAN_TRIPLE_BUFFER : 0; };
        driver.enable_triple_buffer = [] { return -1; };
        driver.screen_w = [] { return 800; };
        driver.screen_h = [] { return 600; };
        driver.create_video_bitmap = [](int w, int h) { return semBitmaps ? nullptr : create_bitmap(w, h); };
        driver.create_system_bitmap = [](int w, int h) { return semBitmaps ? nullptr : create_bitmap(w, h); };
        driver.create_bitmap = [](int w, int h) { return semBitmaps ? nullptr : create_bitmap(w, h); };
        driver.show_video_bitmap = [](BITMAP* b) {
            mostrada = b;
            anota();
            return 0;
        };
        driver.request_video_bitmap = [](BITMAP* b) {
            mostrada = b;
            anota();
            return 0;
        };
        driver.poll_scroll = [] { return 0; };
        driver.vsync = [] { anota(); };
        set_screen_driver(&driver);
        descansa = descansoRoteirizado;
        // The pictures, fonts and tracks of the run folder; save.bin of its own.
        pasta = fs::temp_directory_path() / ("zepko-sessao-" + std::to_string(getpid()));
        fs::create_directories(pasta);
        for (const char* d : {"img", "fonts", "mid"})
            fs::create_directory_symlink(fs::path(ZEPKO_RUN_DIR) / d, pasta / d);
        anterior = fs::current_path();
        fs::current_path(pasta);
        escreveRoteiro();
    }
    static void TearDownTestSuite() {
        fs::current_path(anterior);
        fs::remove_all(pasta);
        set_screen_driver(nullptr);
        descansa = rest;
        quadroInteiro = false;
    }
    static fs::path pasta, anterior;
};
fs::path Sessao::pasta, Sessao::anterior;

TEST_P(Sessao, ShowsWhatDrawingEverythingShows) {
    const auto [metodo, bits] = GetParam();
    set_color_depth(bits);
    const std::vector<uint64_t> inteiro = sessao(metodo, true);
    const std::vector<uint64_t> parcial = sessao(metodo, false);
    ASSERT_GE(inteiro.size(), roteiro.size()) << "a look after every frame at least";
    ASSERT_EQ(parcial.size(), inteiro.size()) << "as many updates either way";
    size_t diferentes = 0, primeiro = 0;
    for (size_t i = inteiro.size(); i-- > 0;)
        if (inteiro[i] != parcial[i]) ++diferentes, primeiro = i;
    EXPECT_EQ(diferentes, 0u) << "first at update " << primeiro << " of " << inteiro.size();
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
