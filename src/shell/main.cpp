#include <allegro.h>

#include "cursor.h"
#include "globais.h"
#include "inicio.h"
#include "laco.h"
#include "progresso.h"
#include "recursos.h"

int main() {
    set_uformat(U_ASCII);
    inicia_allegro();
    carregaProgresso();
    {
        Bitmap primeiro(create_bitmap(800, 600));
        Bitmap cursor(makeCursor());
        rodaLaco(primeiro.get(), [&](BITMAP*& alvo) {
            draw_sprite(alvo, cursor.get(), mouse_x, mouse_y);
        });
    }
    deinicia_allegro();
    return 0;
}
END_OF_MAIN()
