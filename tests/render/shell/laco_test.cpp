// The frame loop and the present step with scripted ticks: one frame per
// pending tick, exits seen only between frames, and which bitmap each frame
// is drawn into and which picture reaches the display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <allegro.h>

#include "screen/al_screen.h"
#include "screen/al_screen_driver.h"
#include "shell/entrada.h"
#include "shell/globais.h"
#include "shell/laco.h"
#include "shell/recursos.h"

namespace {

// Video pages are memory bitmaps here; what reaches the display (a page
// shown, or a back buffer blitted onto the visible page) is recorded as the
// frame number painted into its corner (0: nothing drawn).
std::vector<int> mostrados;
bool semPaginas = false;
screen_driver driver;

int marca(BITMAP* b) { return getpixel(b, 0, 0) & 0xFF; }

// Stands in for the timer: each rest of the loop delivers the next burst of
// ticks from the script; once the script is used up, the game is closed.
std::vector<int> roteiro;
size_t passo = 0;
std::vector<int> pendentesAoDescansar;  // contFrames at each rest

void descansoRoteirizado(unsigned int) {
    pendentesAoDescansar.push_back(contFrames);
    if (passo < roteiro.size())
        contFrames += roteiro[passo++];
    else
        FecharJogo = 1;
}

class Laco : public ::testing::Test {
protected:
    Bitmap primeiro{nullptr};

    static void SetUpTestSuite() {
        driver = allegro_screen_driver();
        driver.capabilities = [] { return 0; };
        driver.enable_triple_buffer = [] { return -1; };
        driver.screen_w = [] { return 64; };
        driver.screen_h = [] { return 48; };
        driver.create_video_bitmap = [](int w, int h) {
            return semPaginas ? nullptr : create_bitmap(w, h);
        };
        driver.create_system_bitmap = [](int w, int h) {
            return semPaginas ? nullptr : create_bitmap(w, h);
        };
        driver.create_bitmap = [](int w, int h) { return semPaginas ? nullptr : create_bitmap(w, h); };
        driver.show_video_bitmap = [](BITMAP* b) {
            mostrados.push_back(marca(b));
            return 0;
        };
        driver.blit = [](BITMAP* src, BITMAP* dst, int sx, int sy, int dx, int dy, int w, int h) {
            blit(src, dst, sx, sy, dx, dy, w, h);
            mostrados.push_back(marca(dst));
        };
        set_screen_driver(&driver);
        // Which bitmap each frame is drawn into: frames drawn whole. The
        // identity test shows that noted frames put the same pictures on display.
        quadroInteiro = true;
    }
    static void TearDownTestSuite() {
        set_screen_driver(nullptr);
        quadroInteiro = false;
    }

    void SetUp() override {
        primeiro.reset(create_bitmap(64, 48));
        mostrados.clear();
        semPaginas = false;
        FecharJogo = 0;
        contFrames = 0;
        teclasAbaixo[KEY_ESC] = 0;
        roteiro.clear();
        passo = 0;
        pendentesAoDescansar.clear();
        descansa = descansoRoteirizado;
    }
    // Sets up `metodo` and forgets what its set-up showed.
    void inicia(int metodo) {
        ASSERT_EQ(initialize_screen_updating(metodo), metodo);
        mostrados.clear();
    }
    void TearDown() override {
        descansa = rest;
        shutdown_screen_updating();
        FecharJogo = 0;
        contFrames = 0;
        teclasAbaixo[KEY_ESC] = 0;
    }
};

// Paints the frame number into the target, after checking it came cleared.
struct Pintor {
    int quadros = 0;
    std::vector<BITMAP*> alvos;
    bool sempreLimpo = true;

    void operator()(BITMAP*& alvo) {
        ++quadros;
        alvos.push_back(alvo);
        if (getpixel(alvo, 0, 0) != 0 || getpixel(alvo, 63, 47) != 0) sempreLimpo = false;
        putpixel(alvo, 0, 0, quadros);
        putpixel(alvo, 63, 47, quadros);
        if (quadros > 50) FecharJogo = 1;  // a runaway loop ends the test
    }
};

TEST_F(Laco, BurstOfPendingTicksGivesThatManyFrames) {
    inicia(UPDATE_PAGE_FLIP);
    contFrames = 7;
    Pintor p;
    rodaLaco(primeiro.get(), std::ref(p), [] { return contFrames == 0; });
    EXPECT_EQ(p.quadros, 7);
    EXPECT_EQ(contFrames, 0);
    EXPECT_EQ(mostrados.size(), 7u);
    EXPECT_TRUE(p.sempreLimpo);
}

TEST_F(Laco, RestsOnlyWhenNoTickIsPending) {
    inicia(UPDATE_DOUBLE_BUFFER);
    roteiro = {0, 1, 0, 3, 0, 0, 2};
    std::vector<size_t> descansosAntes;  // rests before each frame
    rodaLaco(primeiro.get(), [&](BITMAP*&) { descansosAntes.push_back(pendentesAoDescansar.size()); });
    EXPECT_EQ(descansosAntes, (std::vector<size_t>{2, 4, 4, 4, 7, 7}));
    EXPECT_EQ(pendentesAoDescansar, std::vector<int>(8, 0));
}

TEST_F(Laco, BacklogAtEntryRunsBeforeAnyRest) {
    inicia(UPDATE_DOUBLE_BUFFER);
    contFrames = 3;
    std::vector<size_t> descansosAntes;
    rodaLaco(primeiro.get(), [&](BITMAP*&) { descansosAntes.push_back(pendentesAoDescansar.size()); });
    EXPECT_EQ(descansosAntes, (std::vector<size_t>{0, 0, 0}));
}

TEST_F(Laco, SlowFramesAreNotSkipped) {
    // Each of the first frames takes long enough for two ticks to come in:
    // the backlog grows and every tick still gets its own frame, unrested.
    inicia(UPDATE_DOUBLE_BUFFER);
    roteiro = {1};
    int quadros = 0;
    rodaLaco(primeiro.get(), [&](BITMAP*&) {
        if (++quadros <= 4) contFrames += 2;
    });
    EXPECT_EQ(quadros, 9);
    EXPECT_EQ(pendentesAoDescansar, (std::vector<int>{0, 0}));
}

TEST_F(Laco, AnExitRequestedInAFrameEndsTheLoopAfterThatFrame) {
    struct Caso {
        const char* nome;
        void (*pede)();
    };
    static bool proprio;
    const Caso casos[] = {
        {"Escape", [] { teclasAbaixo[KEY_ESC] = 1; }},
        {"FecharJogo", [] { FecharJogo = -1; }},
        {"own flag", [] { proprio = true; }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        inicia(UPDATE_DOUBLE_BUFFER);
        proprio = false;
        contFrames = 6;
        int quadros = 0;
        bool desenhouDepois = false;
        rodaLaco(primeiro.get(), [&](BITMAP*& alvo) {
            ++quadros;
            if (quadros == 3) c.pede();
            // The rest of the frame still runs after the request.
            if (quadros == 3) {
                putpixel(alvo, 0, 0, 3);
                desenhouDepois = true;
            }
        }, [] { return proprio; });
        EXPECT_EQ(quadros, 3);
        EXPECT_TRUE(desenhouDepois);
        EXPECT_EQ(contFrames, 3) << "the tick of the last frame is consumed";
        EXPECT_EQ(mostrados, (std::vector<int>{0, 0, 3}));
        teclasAbaixo[KEY_ESC] = 0;
        FecharJogo = 0;
        shutdown_screen_updating();
    }
}

TEST_F(Laco, AlreadyEndedScreenDrawsNothing) {
    inicia(UPDATE_DOUBLE_BUFFER);
    teclasAbaixo[KEY_ESC] = 1;
    contFrames = 4;
    Pintor p;
    rodaLaco(primeiro.get(), std::ref(p));
    EXPECT_EQ(p.quadros, 0);
    EXPECT_EQ(contFrames, 4);
    EXPECT_TRUE(mostrados.empty());
}

TEST_F(Laco, PageFlippingDrawsIntoTheHiddenPageAndShowsEachFrameAtItsOwnUpdate) {
    ASSERT_EQ(initialize_screen_updating(2), UPDATE_PAGE_FLIP);
    BITMAP* pagina0 = get_buffer();
    update_screen();
    BITMAP* pagina1 = get_buffer();
    update_screen();
    mostrados.clear();
    contFrames = 5;
    Pintor p;
    rodaLaco(primeiro.get(), std::ref(p), [] { return contFrames == 0; });
    EXPECT_EQ(p.alvos, (std::vector<BITMAP*>{primeiro.get(), pagina1, pagina0, pagina1, pagina0}));
    // The first frame is never shown; each later one at the update that ends it.
    EXPECT_EQ(mostrados, (std::vector<int>{0, 2, 3, 4, 5}));
}

TEST_F(Laco, BackBufferShowsEachFrameAtItsOwnUpdate) {
    inicia(UPDATE_DOUBLE_BUFFER);
    BITMAP* buffer = get_buffer();
    contFrames = 4;
    Pintor p;
    rodaLaco(primeiro.get(), std::ref(p), [] { return contFrames == 0; });
    EXPECT_EQ(p.alvos, (std::vector<BITMAP*>{primeiro.get(), buffer, buffer, buffer}));
    // No lag: each update shows the frame just drawn (the first one is never shown).
    EXPECT_EQ(mostrados, (std::vector<int>{0, 2, 3, 4}));
    EXPECT_TRUE(p.sempreLimpo);
}

TEST_F(Laco, WithoutAnUpdateMethodFramesGoStraightToTheScreen) {
    semPaginas = true;
    ASSERT_EQ(initialize_screen_updating(1), UPDATE_NONE);
    Bitmap tela(create_bitmap(64, 48));
    BITMAP* antiga = screen;
    screen = tela.get();
    contFrames = 3;
    Pintor p;
    rodaLaco(primeiro.get(), std::ref(p), [] { return contFrames == 0; });
    screen = antiga;
    EXPECT_EQ(p.alvos, (std::vector<BITMAP*>{primeiro.get(), tela.get(), tela.get()}));
    EXPECT_EQ(marca(tela.get()), 3);
}

TEST_F(Laco, NextScreenFirstShowsThePreviousScreensLastPicture) {
    inicia(UPDATE_DOUBLE_BUFFER);
    contFrames = 3;
    Pintor anterior;
    rodaLaco(primeiro.get(), std::ref(anterior), [] { return contFrames == 0; });
    mostrados.clear();
    Bitmap primeiroDoProximo(create_bitmap(64, 48));
    contFrames = 2;
    Pintor proximo;
    proximo.quadros = 10;
    rodaLaco(primeiroDoProximo.get(), std::ref(proximo), [] { return contFrames == 0; });
    EXPECT_EQ(mostrados, (std::vector<int>{3, 12}));
}

TEST_F(Laco, PresentStepInsideAFrameHandsOverTheNextTarget) {
    // A growing panel presents several pictures within one frame.
    inicia(UPDATE_DOUBLE_BUFFER);
    BITMAP* buffer = get_buffer();
    BITMAP* alvo = primeiro.get();
    putpixel(alvo, 0, 0, 9);
    apresentaQuadro(alvo);
    EXPECT_EQ(alvo, buffer);
    // The next picture is drawn over what the buffer already holds.
    putpixel(buffer, 10, 10, 7);
    putpixel(alvo, 0, 0, 5);
    apresentaQuadro(alvo);
    EXPECT_EQ(alvo, buffer);
    EXPECT_EQ(getpixel(alvo, 10, 10), 7);
    // The first-frame bitmap never reaches the display.
    EXPECT_EQ(mostrados, (std::vector<int>{0, 5}));
}

// A key or the button that went down and up while no frame ran, as the
// library's input thread reports it.
void toque(int tecla) {
    keyboard_lowlevel_callback(tecla);
    keyboard_lowlevel_callback(tecla | 0x80);
}
void cliqueRapido() {
    mouse_callback(MOUSE_FLAG_LEFT_DOWN);
    mouse_callback(MOUSE_FLAG_LEFT_UP);
}

TEST_F(Laco, AShortPressIsTakenAsHeldByTheNextFrameAloneAndAShortEscapeEndsTheScreen) {
    instalaToques();
    inicia(UPDATE_DOUBLE_BUFFER);
    roteiro = {1, 1, 1, 1, 0};
    static int descansos;
    descansos = 0;
    descansa = [](unsigned ms) {
        // Before frame 2: Left and a click; before what would be frame 5: Escape.
        if (++descansos == 2) {
            toque(KEY_LEFT);
            cliqueRapido();
        }
        if (descansos == 5) toque(KEY_ESC);
        descansoRoteirizado(ms);
    };
    int mx = 10, my = 10, mb = 0;
    Entrada entrada;
    entrada.mouseX = &mx;
    entrada.mouseY = &my;
    entrada.mouseB = &mb;
    std::string visto;  // per frame: L for Left, C for a click, R for Right, - for nothing
    int quadros = 0;
    rodaLaco(primeiro.get(), [&](BITMAP*&) {
        ++quadros;
        std::string q;
        if (entrada.tecla(KEY_LEFT)) q += "L";
        if (entrada.clique()) q += "C";
        if (entrada.tecla(KEY_RIGHT)) q += "R";
        visto += (q.empty() ? "-" : q) + " ";
        // A press that comes while a frame is drawn goes to the next one.
        if (quadros == 3) toque(KEY_RIGHT);
    });
    EXPECT_EQ(visto, "- LC - R ");
    EXPECT_EQ(FecharJogo, 0) << "Escape, not the end of the script, ended it";
    // The screen that called this one does not see the Escape.
    EXPECT_FALSE(Entrada().tecla(KEY_ESC));
    keyboard_lowlevel_callback = nullptr;
    mouse_callback = nullptr;
}

TEST_F(Laco, OneEscapeEndsOneScreenThoughItsNoteComesAfterKeyShowsIt) {
    instalaToques();
    inicia(UPDATE_DOUBLE_BUFFER);
    roteiro = {0, 0, 0};
    static int descansos;
    descansos = 0;
    descansa = [](unsigned ms) {
        // The library shows Escape down, and its thread calls back only a
        // rest later; the script then runs out, and only that ends the title.
        ++descansos;
        if (descansos == 1) key[KEY_ESC] = -1;
        if (descansos == 2) keyboard_lowlevel_callback(KEY_ESC);
        descansoRoteirizado(ms);
    };
    contFrames = 1;
    bool aberta = false;
    rodaLaco(primeiro.get(), [&](BITMAP*&) {
        if (aberta) return;
        aberta = true;
        Bitmap primeiroDaPagina(create_bitmap(64, 48));
        rodaLaco(primeiroDaPagina.get(), [](BITMAP*&) {});
        Entrada().soltaTecla(KEY_ESC);  // as a page does when it ends
    });
    EXPECT_EQ(FecharJogo, 1) << "the page's Escape ended the title too";
    key[KEY_ESC] = 0;
    keyboard_lowlevel_callback = nullptr;
    mouse_callback = nullptr;
}

}  // namespace
