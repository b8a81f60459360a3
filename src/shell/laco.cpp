#include "laco.h"

#include "al_screen.h"
#include "entrada.h"
#include "globais.h"

void (*descansa)(unsigned int ms) = rest;
int aparicoesDeTela = 0;

void apresentaQuadro(BITMAP*& alvo) {
    // Released before the target moves on: with page flipping the next
    // target is another page, and a video page left acquired keeps the
    // library's drawing lock, which the window thread needs on Windows.
    release_bitmap(alvo);
    if (get_update_method() != 0) {
        alvo = get_buffer();
    } else {
        alvo = screen;
        if (vsync_is_enabled()) vsync();
    }
    if (get_update_method() != 0) update_screen();
}

void rodaLaco(BITMAP* primeiroQuadro, const std::function<void(BITMAP*& alvo)>& corpo,
              const std::function<bool()>& sair, bool corpoCobre) {
    BITMAP* alvo = primeiroQuadro;
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
}
