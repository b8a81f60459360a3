// The Allegro calls the screen update module makes, gathered in one table so
// that tests can stand in for a graphics driver (which pages it can create,
// whether it can triple-buffer) and watch what the module does with it.
#pragma once

#include <allegro.h>

struct screen_driver {
    int (*capabilities)();  // gfx_capabilities
    int (*enable_triple_buffer)();
    int (*screen_w)();
    int (*screen_h)();
    BITMAP* (*create_video_bitmap)(int w, int h);
    BITMAP* (*create_system_bitmap)(int w, int h);
    BITMAP* (*create_bitmap)(int w, int h);
    void (*destroy_bitmap)(BITMAP* b);
    void (*clear_bitmap)(BITMAP* b);
    int (*show_video_bitmap)(BITMAP* b);
    int (*request_video_bitmap)(BITMAP* b);
    int (*poll_scroll)();
    void (*vsync)();
    void (*blit)(BITMAP* src, BITMAP* dst, int sx, int sy, int dx, int dy, int w, int h);
};

// The real calls.
const screen_driver& allegro_screen_driver();

// Makes the module use `driver` from now on (null: the real calls again).
// The table must outlive its use; switch only while no method is in force.
void set_screen_driver(const screen_driver* driver);
