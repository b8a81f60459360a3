#include "tela.h"

namespace {

constexpr int X_CENTRO = LARGURA_TELA / 2;
constexpr int Y_CENTRO = ALTURA_TELA / 2;

}  // namespace

void caixaMoldurada(BITMAP* alvo, int w, int h) {
    rectfill(alvo, X_CENTRO - w, Y_CENTRO - h, X_CENTRO + w, Y_CENTRO + h, corPreta());
    rect(alvo, X_CENTRO - w, Y_CENTRO - h, X_CENTRO + w, Y_CENTRO + h, corBranca());
    rect(alvo, X_CENTRO - 1 - w, Y_CENTRO - 1 - h, X_CENTRO + 1 + w, Y_CENTRO + 1 + h, cinzaClaro());
    rect(alvo, X_CENTRO - 2 - w, Y_CENTRO - 2 - h, X_CENTRO + 2 + w, Y_CENTRO + 2 + h, cinza());
}

void divisoria(BITMAP* alvo, int x1, int x2, int y) {
    hline(alvo, x1, y - 1, x2, cinza());
    hline(alvo, x1, y, x2, corBranca());
    hline(alvo, x1, y + 1, x2, cinza());
}
