// A drawing target that notes what a frame draws instead of drawing it. When
// the frame ends, only the parts where its picture differs from what the real
// bitmap already holds are drawn there, by replaying the notes clipped to
// them: a frame that repeats the last picture draws nothing at all.
//
// Two notes are the same drawing when they name the same call with the same
// arguments, pictures by their address: a picture drawn from must not change
// while its screen runs, and what each bitmap holds is forgotten whenever a
// screen starts or ends, so a freed picture's address taken by another one
// is never mistaken for it.
#pragma once

#include <vector>

#include <allegro.h>

#include "screen/al_screen.h"

// A target of the size and depth of `real` (a memory bitmap) whose frames
// go to `real` until record_onto sends them elsewhere. It must go before `real`.
BITMAP* create_recording_target(BITMAP* real);
void destroy_recording_target(BITMAP* target);
bool is_recording_target(const BITMAP* b);

// The real bitmap the frame being noted goes to.
BITMAP* recording_destination(const BITMAP* target);
// Sends the frame from now on to `real`; the notes start from what it holds.
void record_onto(BITMAP* target, BITMAP* real);

// Draws into the destination where the notes differ from what it holds, and
// returns those parts; the destination then holds the noted picture.
std::vector<screen_rect> draw_recording(BITMAP* target);

// `to` was made a copy of `from`: it holds the picture `from` holds.
void copy_held_picture(const BITMAP* from, const BITMAP* to);

// Something was drawn without notes: no bitmap's content is known any more,
// so the next frame on each is drawn whole.
void forget_held_pictures();
