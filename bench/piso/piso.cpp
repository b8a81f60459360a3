// The floor the game's frames stand on: a program with nothing but the
// game's 60 Hz loop and its way of showing a frame. The report runs it beside
// the game and gives the game's processor share as a ratio to this one.
//
//   piso quadro   every frame a full 800 x 600 picture is drawn into the
//                 update module's buffer and shown, as the game shows its
//                 frames (the same update method, chosen the same way)
//   piso laco     the 60 Hz loop alone, nothing drawn: the library's own cost
//
// It runs until its window is closed or it is killed.
#include <atomic>
#include <cstring>

#include <allegro.h>

#include "screen/al_screen.h"

namespace {

std::atomic<int> ticks{0};
std::atomic<int> fechar{0};

void tick() { ++ticks; }
END_OF_FUNCTION(tick)

void fecha() { fechar = 1; }
END_OF_FUNCTION(fecha)

}  // namespace

int main(int argc, char** argv) {
    const bool desenha = argc < 2 || std::strcmp(argv[1], "laco") != 0;
    allegro_init();
    install_timer();
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 800, 600, 0, 0) != 0) return 1;
    set_window_title("piso");
    set_display_switch_mode(SWITCH_BACKGROUND);
    set_close_button_callback(fecha);
    initialize_screen_updating(UPDATE_TRIPLE_BUFFER);  // the game's default

    // Something on it, so the picture is not one colour.
    BITMAP* figura = create_bitmap(800, 600);
    for (int y = 0; y < 600; ++y) hline(figura, 0, y, 799, makecol(y % 256, 80, 255 - y % 256));

    LOCK_FUNCTION(tick);
    LOCK_FUNCTION(fecha);
    install_int_ex(tick, BPS_TO_TIMER(60));
    while (!fechar) {
        if (ticks <= 0) rest(5);
        while (!fechar && ticks > 0) {
            if (desenha) {
                BITMAP* alvo = get_update_method() ? get_buffer() : screen;
                blit(figura, alvo, 0, 0, 0, 0, 800, 600);
                update_screen();
            }
            --ticks;
        }
    }
    destroy_bitmap(figura);
    shutdown_screen_updating();
    return 0;
}
END_OF_MAIN()
