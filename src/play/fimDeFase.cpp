#include "fimDeFase.h"

#include "desenhoFase.h"
#include "laco.h"
#include "progresso.h"
#include "recursos.h"

RecursosFim carregaRecursosFim() {
    return {fonteOuPadrao("fonts/cooperblack22.pcx"), fonteOuPadrao("fonts/arial14.pcx"),
            imagem("img/parabens.bmp"), imagem("img/zepFrente.gif")};
}

void passoPainel(BITMAP* alvo, int i) {
    rectfill(alvo, 400 - i, 300 + i, 400 + i, 300 - i, makecol(0, 0, 0));
    rect(alvo, 400 - i, 300 + i, 400 + i, 300 - i, makecol(255, 255, 255));
    rect(alvo, 399 - i, 299 + i, 401 + i, 301 - i, makecol(200, 200, 200));
    rect(alvo, 398 - i, 298 + i, 402 + i, 302 - i, makecol(150, 150, 150));
}

void conteudoPainel(BITMAP* alvo, int minutos, int segundos, int passos, int movimentos,
                    const RecursosFim& rec) {
    desenha(alvo, rec.parabens, 280, 100);
    hline(alvo, 220, 214, 580, makecol(150, 150, 150));
    hline(alvo, 220, 215, 580, makecol(255, 255, 255));
    hline(alvo, 220, 216, 580, makecol(150, 150, 150));

    const int rotulo = makecol(181, 230, 29);
    const int valor = makecol(63, 72, 204);
    textprintf_ex(alvo, rec.cooper, 260, 260, rotulo, -1, "Tempo");
    escreveNumeroRelogio(alvo, rec.cooper, 390, 260, valor, minutos);
    textprintf_ex(alvo, rec.cooper, 415, 260, valor, -1, " : ");
    escreveNumeroRelogio(alvo, rec.cooper, 443, 260, valor, segundos);
    textprintf_ex(alvo, rec.cooper, 260, 320, rotulo, -1, "Passos");
    textprintf_ex(alvo, rec.cooper, 390, 320, valor, -1, "%d", passos);
    textprintf_ex(alvo, rec.cooper, 260, 380, rotulo, -1, "Movimentos");
    textprintf_ex(alvo, rec.cooper, 470, 380, valor, -1, "%d", movimentos);

    textprintf_centre_ex(alvo, rec.arial, alvo->w / 2, 480, makecol(255, 255, 255), -1,
                         "Pressione ENTER para continuar");
    desenha(alvo, rec.heroi, 220, 470);
    desenha(alvo, rec.heroi, 555, 470);
}

void fimDeFase(int minutos, int segundos, int passos, int movimentos, int numero) {
    // The next level opens before anything is drawn, so the page shows it at once.
    registraConclusao(numero);
    const RecursosFim rec = carregaRecursosFim();
    Bitmap primeiro(create_bitmap(800, 600));
    BITMAP* alvo = primeiro.get();
    clear_bitmap(alvo);
    // As fast as presenting allows: the opening does not wait for ticks.
    for (int i = 0; i < PASSOS_PAINEL; ++i) {
        passoPainel(alvo, i);
        apresentaQuadro(alvo);
    }
    conteudoPainel(alvo, minutos, segundos, passos, movimentos, rec);
    apresentaQuadro(alvo);
}
