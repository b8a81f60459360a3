#include <allegro.h>

#include "inicio.h"
#include "menus.h"
#include "opcoes.h"
#include "progresso.h"

int main(int argc, char* argv[]) {
    if (const auto fim = trataOpcoes(argc, argv)) return *fim;
    set_uformat(U_ASCII);
    inicia_allegro();
    carregaProgresso();
    telaTitulo();
    deinicia_allegro();
    return 0;
}
END_OF_MAIN()
