#include "laco.h"

#include <cstdlib>
#include <cstring>

#include "al_screen.h"
#include "entrada.h"
#include "frame_recorder.h"
#include "globais.h"

void (*descansa)(unsigned int ms) = rest;
int aparicoesDeTela = 0;

namespace {

bool pedeQuadroInteiro() {
    const char* p = std::getenv("ZEPKO_PRESENT");
    return p && std::strcmp(p, "full") == 0;
}

// The recording target of the innermost screen, and the parts of the
// module's buffer drawn since its last update.
BITMAP* gravadorAberto = nullptr;
std::vector<screen_rect> naoMostrado;

// Draws what the target noted into its bitmap, noting which parts of the
// buffer that changed.
void desenhaNotas(BITMAP* gravador) {
    BITMAP* destino = recording_destination(gravador);
    for (const screen_rect& r : draw_recording(gravador))
        if (destino == get_buffer()) add_screen_rect(naoMostrado, r);
}

// The bitmap the next frame is drawn into: the module's buffer, or the screen
// itself when no update method is in force.
BITMAP* proximoAlvo() {
    if (get_update_method() != 0) return get_buffer();
    if (vsync_is_enabled()) vsync();
    return screen;
}

}  // namespace

bool quadroInteiro = pedeQuadroInteiro();

void apresentaQuadro(BITMAP*& alvo) {
    if (is_recording_target(alvo)) {
        // The frame reaches its bitmap only now, and only where it changed;
        // the buffer's changed parts are all the update has to show.
        desenhaNotas(alvo);
        BITMAP* proximo = proximoAlvo();
        if (get_update_method() != 0) update_screen_parts(naoMostrado);
        naoMostrado.clear();
        record_onto(alvo, proximo);
        return;
    }
    // Released before the target moves on: with page flipping the next
    // target is another page, and a video page left acquired keeps the
    // library's drawing lock, which the window thread needs on Windows.
    release_bitmap(alvo);
    alvo = proximoAlvo();
    if (get_update_method() != 0) update_screen();
    naoMostrado.clear();
    // Drawn without notes: no page's picture is known any more.
    forget_held_pictures();
}

void rodaLaco(BITMAP* primeiroQuadro, const std::function<void(BITMAP*& alvo)>& corpo,
              const std::function<bool()>& sair, bool corpoCobre) {
    // A screen opened from inside a frame shows first what that frame has
    // drawn so far, as it would had the frame been drawn straight into the buffer.
    BITMAP* const chamador = gravadorAberto;
    if (chamador) desenhaNotas(chamador);
    // The pictures a screen draws from are its own: what the pages hold is
    // forgotten as it starts and as it ends.
    forget_held_pictures();
    BITMAP* gravador =
        quadroInteiro ? nullptr : create_recording_target(primeiroQuadro);
    BITMAP* alvo = gravador ? gravador : primeiroQuadro;
    gravadorAberto = gravador;
    auto terminou = [&] { return key[KEY_ESC] || FecharJogo || (sair && sair()); };
    ++aparicoesDeTela;
    while (!terminou()) {
        // Sleep only when no tick is pending; a backlog runs back to back.
        if (contFrames <= 0) descansa(5);
        while (!terminou() && contFrames > 0) {
            acquire_bitmap(alvo);
            if (!corpoCobre) clear_bitmap(alvo);
            corpo(alvo);
            apresentaQuadro(alvo);
            --contFrames;
        }
    }
    ++aparicoesDeTela;
    destroy_recording_target(gravador);
    forget_held_pictures();
    // The rest of the calling frame goes over what this screen left behind.
    gravadorAberto = chamador;
    if (chamador) record_onto(chamador, recording_destination(chamador));
}
