#include <allegro.h>

#include "inicio.h"
#include "menus.h"
#include "progresso.h"

int main() {
    set_uformat(U_ASCII);
    inicia_allegro();
    carregaProgresso();
    telaTitulo();
    deinicia_allegro();
    return 0;
}
END_OF_MAIN()
