#include <allegro.h>

#include "menus/menus.h"
#include "play/progresso.h"
#include "shell/inicio.h"
#include "shell/opcoes.h"

int main(int argc, char* argv[]) {
    if (const auto fim = trataOpcoes(argc, argv)) return *fim;
    inicia_allegro();
#ifdef _WIN32
    // A Windows player sees no stderr: the first warning about save.bin goes
    // in a message box, and later ones would only repeat it.
    avisoProgresso = [](const char* texto) {
        static bool dito = false;
        if (!dito) allegro_message("%s", texto);
        dito = true;
    };
#endif
    carregaProgresso();
    telaTitulo();
    deinicia_allegro();
    return 0;
}
END_OF_MAIN()
