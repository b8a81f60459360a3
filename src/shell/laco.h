// The frame loop every screen runs, and the present step that ends a frame.
#pragma once

#include <functional>

#include <allegro.h>

// True (ZEPKO_PRESENT=full in the environment): every frame is drawn whole
// into its bitmap and shown whole. Otherwise a frame is noted as it is drawn
// and only what changed is drawn and shown: the same pictures for less work.
extern bool quadroInteiro;

// Hands the picture drawn into `alvo` to the display and replaces `alvo`
// with the bitmap the next picture is drawn into, which holds the picture
// just shown: for runs of pictures drawn one over another without waiting
// for ticks (an opening box or panel). A picture noted by the loop's
// recording target reaches its bitmap here, where it changed; `alvo` stays
// the target.
void apresentaQuadro(BITMAP*& alvo);

// Releases the bitmap the current frame holds acquired, before anything that
// waits outside the frame (a message box, the wait for a key). Opening
// another screen does this by itself.
void liberaAlvo();

// Runs one frame per pending 60 Hz tick until Escape is down, FecharJogo is
// set or `sair` (when given) returns true. The first frame is drawn into
// `primeiroQuadro`, which is never shown. `corpo` draws one frame into the
// target it is given; it may present intermediate pictures itself with
// apresentaQuadro, which replaces the target it holds. Each frame starts on
// a cleared target, unless `corpoCobre`: the body's first drawing covers the
// whole target with opaque pixels, so clearing it first would change nothing.
// The loop counts in aparicoesDeTela as it starts and as it ends.
void rodaLaco(BITMAP* primeiroQuadro, const std::function<void(BITMAP*& alvo)>& corpo,
              const std::function<bool()>& sair = {}, bool corpoCobre = false);

// How an idle loop waits for the next tick: Allegro's rest. Tests put a
// function here that stands in for the timer and delivers scripted ticks.
extern void (*descansa)(unsigned int ms);
