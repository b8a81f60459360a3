// Screen update module: how a finished frame reaches the display.
#pragma once

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
void update_screen();
BITMAP* get_buffer();
int get_update_method();

void enable_vsync();
void disable_vsync();
void toggle_vsync();
int vsync_is_enabled();
