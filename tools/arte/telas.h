// The menu screens, dialogs, buttons and sprites: every picture under img/
// that is not a board tile.
#pragma once

#include <allegro.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "arte.h"
#include "fontes_arte.h"
#include "base/bitmap.h"
#include "tipos.h"

constexpr int TAMANHO_FONTE_TITULO = 22;
// The title face's line box. The pictures and the game's font were laid out
// on URW Bookman's; TeX Gyre Bonum draws the same glyphs but declares a
// taller line, which would push every title down.
constexpr Linha LINHA_TITULO{724, 276};
constexpr int TAMANHO_FONTE_TEXTO = 14;

class Telas {
public:
    explicit Telas(const Origens& o);
    ~Telas();
    // A new true-colour bitmap for `nome`, a picture of the screens (relative
    // to the run folder); an unknown name throws.
    BITMAP* desenha(const std::string& nome);

    // The desktop icon: Zep and his crate, 64 x 64.
    BITMAP* icone();

    // The board of level `numero` (1..10) as the game shows it at the start.
    BITMAP* tabuleiro(int numero);

private:
    BITMAP* peca(int codigo);
    BITMAP* titulo();
    BITMAP* pagina1(const std::string& acesa);
    BITMAP* pagina2(const std::string& acesa);
    BITMAP* dialogo(const std::string& acesa);
    BITMAP* parabens();
    BITMAP* botaoJogo(bool desfazer, bool aceso);
    void cartao(BITMAP* b, int numero, const std::string& face);
    void legenda(BITMAP* b, int numero, const std::string& chave);
    void seta(BITMAP* b, const std::string& face, bool direita, bool acesa);
    void pilula(BITMAP* b, const std::string& face, const std::string& texto, const Tipo& t, bool acesa,
                bool vermelha);
    void tituloPagina(BITMAP* b, const std::string& chave, const std::string& texto);
    BITMAP* recorte(BITMAP* cena, const std::string& chave);

    Figuras figuras_;
    Layout layout_;
    Tipo logo_, tituloGrande_, titulo_, destaque_, botao_, pequeno_, texto_;
    std::map<int, Bitmap> pecas_;
    std::map<std::string, Bitmap> sprites_;
};
