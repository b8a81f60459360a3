#include "laco.h"

#include <cstdlib>
#include <cstring>

#include "screen/al_screen.h"
#include "screen/frame_recorder.h"
#include "shell/entrada.h"
#include "shell/globais.h"

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

// The innermost screen's target, which a screen opened from inside its frame
// moves on to the bitmap the rest of that frame goes into.
BITMAP** alvoAberto = nullptr;

// The bitmap the frame being drawn holds acquired, if any. A video page left
// acquired keeps the library's drawing lock, which its input thread (X11) or
// window thread (Windows) waits for: it is released before any wait outside
// the frame and before the page goes on display.
BITMAP* adquirido = nullptr;

// Draws what the target noted into its bitmap, noting which parts of the
// buffer that changed.
void desenhaNotas(BITMAP* gravador) {
    BITMAP* destino = recording_destination(gravador);
    for (const screen_rect& r : draw_recording(gravador))
        if (destino == get_buffer()) add_screen_rect(naoMostrado, r);
}

// The bitmap a frame is drawn into now: the module's buffer, or the screen
// itself when no update method is in force.
BITMAP* alvoAtual() { return get_update_method() != 0 ? get_buffer() : screen; }

// With page flipping the buffer is now a page that holds an older picture:
// drawing that goes on over the one just shown needs that picture there.
void guardaMostrado() {
    if (BITMAP* mostrada = keep_shown_picture()) copy_held_picture(mostrada, get_buffer());
}

// The open screen's frame was being drawn into `antigo`, the buffer before an
// update: it goes on in the buffer now.
void segueBuffer(BITMAP* antigo) {
    if (gravadorAberto) {
        if (recording_destination(gravadorAberto) == antigo) record_onto(gravadorAberto, alvoAtual());
    } else if (*alvoAberto == antigo) {
        *alvoAberto = alvoAtual();
    }
}

// The present step. `continua`: what is drawn next goes on over this picture
// (a run of pictures without ticks); otherwise it starts afresh (the loop's
// frames clear or cover their target), and no page needs the picture.
void apresenta(BITMAP*& alvo, bool continua) {
    liberaAlvo();
    // A run drawn outside the open screen's target (a panel between two of
    // its frames) shows that frame as far as it is drawn, and the frame goes
    // on in the buffer, over what the run left there.
    const bool deFora = alvoAberto && &alvo != alvoAberto;
    if (deFora && gravadorAberto) desenhaNotas(gravadorAberto);
    BITMAP* const antigo = alvoAtual();
    if (is_recording_target(alvo)) {
        // The frame reaches its bitmap only now, and only where it changed;
        // the buffer's changed parts are all the update has to show.
        desenhaNotas(alvo);
        if (get_update_method() != 0) update_screen_parts(naoMostrado);
        naoMostrado.clear();
        if (continua) guardaMostrado();
        record_onto(alvo, alvoAtual());
    } else {
        if (get_update_method() != 0) update_screen();
        naoMostrado.clear();
        // Drawn without notes: no page's picture is known any more.
        forget_held_pictures();
        if (continua) guardaMostrado();
        alvo = alvoAtual();
    }
    if (deFora) segueBuffer(antigo);
    if (get_update_method() == 0 && vsync_is_enabled()) vsync();
}

}  // namespace

bool quadroInteiro = pedeQuadroInteiro();

void liberaAlvo() {
    if (adquirido) release_bitmap(adquirido);
    adquirido = nullptr;
}

void apresentaQuadro(BITMAP*& alvo) { apresenta(alvo, true); }

void rodaLaco(BITMAP* primeiroQuadro, const std::function<void(BITMAP*& alvo)>& corpo,
              const std::function<bool()>& sair, bool corpoCobre) {
    liberaAlvo();
    // A screen opened from inside a frame shows first what that frame has
    // drawn so far, as it would had the frame been drawn straight into the buffer.
    BITMAP* const chamador = gravadorAberto;
    BITMAP** const alvoChamador = alvoAberto;
    if (chamador) desenhaNotas(chamador);
    BITMAP* const bufferDoChamador = alvoAtual();
    // The pictures a screen draws from are its own: what the pages hold is
    // forgotten as it starts and as it ends.
    forget_held_pictures();
    BITMAP* gravador =
        quadroInteiro ? nullptr : create_recording_target(primeiroQuadro);
    BITMAP* alvo = gravador ? gravador : primeiroQuadro;
    gravadorAberto = gravador;
    alvoAberto = &alvo;
    // Presses collected here are the next frame's; a short Escape ends the
    // screen as a held one does.
    auto terminou = [&] {
        recolheToques();
        return Entrada().tecla(KEY_ESC) || FecharJogo || (sair && sair());
    };
    // A press belongs to the screen on display when it came: the one that
    // opened this screen is not taken here, nor this screen's by its caller.
    toquesDoQuadro.limpa();
    ++aparicoesDeTela;
    while (!terminou()) {
        // Sleep only when no tick is pending; a backlog runs back to back.
        if (contFrames <= 0) descansa(5);
        while (!terminou() && contFrames > 0) {
            acquire_bitmap(adquirido = alvo);
            if (!corpoCobre) clear_bitmap(alvo);
            corpo(alvo);
            apresenta(alvo, false);
            --contFrames;
            toquesDoQuadro.limpa();
        }
    }
    toquesDoQuadro.limpa();
    ++aparicoesDeTela;
    destroy_recording_target(gravador);
    forget_held_pictures();
    // The rest of the calling frame goes over what this screen left on
    // display: in the buffer, where that frame was being drawn.
    gravadorAberto = chamador;
    alvoAberto = alvoChamador;
    if (alvoChamador) {
        guardaMostrado();
        segueBuffer(bufferDoChamador);
    }
}
