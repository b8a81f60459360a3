#include "fimDeFase.h"

#include "play/desenhoFase.h"
#include "play/progresso.h"
#include "screen/layout.h"
#include "screen/tela.h"
#include "shell/laco.h"
#include "shell/recursos.h"

RecursosFim carregaRecursosFim() {
    return {fonteOuPadrao(FONTE_COOPER), fonteOuPadrao(FONTE_ARIAL),
            imagem("img/parabens.bmp"), imagem("img/zepFrente.gif")};
}

static_assert(PAINEL.x1 + PAINEL.x2 == LARGURA_TELA && PAINEL.y1 + PAINEL.y2 == ALTURA_TELA &&
                  PAINEL.x2 - PAINEL.x1 == PAINEL.y2 - PAINEL.y1,
              "the conclusao entry is not the square passoPainel grows");

void passoPainel(BITMAP* alvo, int i) {
    caixaMoldurada(alvo, i, -i);
}

void conteudoPainel(BITMAP* alvo, int minutos, int segundos, int passos, int movimentos,
                    const RecursosFim& rec) {
    constexpr Ponto PARABENS = pontoDe("parabens.figura");
    desenha(alvo, rec.parabens, PARABENS.x, PARABENS.y);
    constexpr Retangulo LINHA = retanguloDe("conclusao.divisoria");
    divisoria(alvo, LINHA.x1, LINHA.x2, LINHA.y1);

    const int rotulo = corRotulo();
    const int valor = corValor();
    textprintf_ex(alvo, rec.cooper, 260, 260, rotulo, -1, "Tempo");
    escreveNumeroRelogio(alvo, rec.cooper, 390, 260, valor, minutos);
    textprintf_ex(alvo, rec.cooper, 415, 260, valor, -1, " : ");
    escreveNumeroRelogio(alvo, rec.cooper, 443, 260, valor, segundos);
    textprintf_ex(alvo, rec.cooper, 260, 320, rotulo, -1, "Passos");
    textprintf_ex(alvo, rec.cooper, 390, 320, valor, -1, "%d", passos);
    textprintf_ex(alvo, rec.cooper, 260, 380, rotulo, -1, "Movimentos");
    textprintf_ex(alvo, rec.cooper, 470, 380, valor, -1, "%d", movimentos);

    textprintf_centre_ex(alvo, rec.arial, alvo->w / 2, 480, corBranca(), -1,
                         "Pressione ENTER para continuar");
    desenha(alvo, rec.heroi, 220, 470);
    desenha(alvo, rec.heroi, 555, 470);
}

void fimDeFase(int minutos, int segundos, int passos, int movimentos, int numero) {
    // The next level opens before anything is drawn, so the page shows it at once.
    registraConclusao(numero);
    const RecursosFim rec = carregaRecursosFim();
    Bitmap primeiro(create_bitmap(LARGURA_TELA, ALTURA_TELA));
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
