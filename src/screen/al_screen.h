// Screen update module: how a finished frame reaches the display.
#pragma once

#include <vector>

#include <allegro.h>

enum {
    UPDATE_NONE = 0,
    UPDATE_TRIPLE_BUFFER = 1,
    UPDATE_PAGE_FLIP = 2,
    UPDATE_SYSTEM_BUFFER = 3,
    UPDATE_DOUBLE_BUFFER = 4,
    UPDATE_MEMORY_TRIPLE_BUFFER = 5,
    UPDATE_MEMORY_PAGE_FLIP = 6,
};

// Sets up the requested method (1 to 6; anything else means 1), falling back
// along its chain when the driver cannot provide it. Returns the method set
// up, 0 when none could be.
int initialize_screen_updating(int method);
void shutdown_screen_updating();
// Puts the whole of the buffer on display.
void update_screen();

// A rectangle of the buffer, in pixels.
struct screen_rect {
    int x, y, w, h;
};
// Adds `r` to `parts`, merged with any part it overlaps or nearly touches
// when one rectangle around both costs little more: the list stays short.
void add_screen_rect(std::vector<screen_rect>& parts, screen_rect r);

// update_screen for a buffer that changed only inside `parts` since the last
// update: the methods that copy the buffer copy only what a page lacks (for
// the page-flipping ones, what changed since that page was last shown); the
// ones that draw into the shown pages show the whole page, as before.
void update_screen_parts(const std::vector<screen_rect>& parts);

// Methods 1 and 2 draw into the page after the one on display, which holds
// an older picture: this copies the picture on display into it, for drawing
// that goes on over that picture, and returns the page copied from. The
// other methods' buffer holds that picture already: null, nothing copied.
BITMAP* keep_shown_picture();

BITMAP* get_buffer();
int get_update_method();

void enable_vsync();
void disable_vsync();
void toggle_vsync();
int vsync_is_enabled();
