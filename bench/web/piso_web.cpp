// The browser's floor: the game's 800 x 600 mode, its 60 Hz timer and its
// wait loop, drawing nothing. bench/web/medidas.py gives the page's cost as
// a ratio to this one's, measured over the same seconds.
#include <atomic>

#include <allegro.h>

namespace {

std::atomic<int> ticks{0};

void tick() { ++ticks; }
END_OF_FUNCTION(tick)

}  // namespace

int main() {
    allegro_init();
    install_timer();
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 800, 600, 0, 0) != 0) return 1;
    LOCK_FUNCTION(tick);
    install_int_ex(tick, BPS_TO_TIMER(60));
    for (;;) {
        // The game's loop (src/shell/laco.cpp), with an empty frame.
        if (ticks <= 0) rest(5);
        while (ticks > 0) --ticks;
    }
}
END_OF_MAIN()
