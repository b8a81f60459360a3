// The pictures of level play: board, boxes, hero, buttons, status bar and the
// music lines. Every function draws into the bitmap it is given and skips a
// missing picture.
#pragma once

#include <array>

#include <allegro.h>

#include "play/fase.h"
#include "shell/recursos.h"

// Everything a level draws with, all owned by the resource cache. A picture
// may be null (its file is missing); the fonts never are: the library's
// built-in font stands in for a missing one so the counters stay readable.
struct RecursosFase {
    std::array<BITMAP*, 5> heroi{};   // by facing code
    std::array<BITMAP*, 5> pecas{};   // by tile code
    BITMAP* caixa = nullptr;
    BITMAP* caixaNoAlvo = nullptr;
    BITMAP* voltar = nullptr;   // lit
    BITMAP* voltar2 = nullptr;  // normal
    BITMAP* replay = nullptr;
    BITMAP* replay2 = nullptr;
    FONT* cooper = nullptr;  // status bar
    FONT* arial = nullptr;   // labels and track title
};

// Loads (once, through the cache) the pictures of a tile set.
RecursosFase carregaRecursosFase(Estilo conjuntoPecas);

// The font at `caminho`, or the built-in font when it cannot be loaded.
FONT* fonteOuPadrao(const char* caminho);
// The two fonts of level play and of the level-complete panel.
constexpr const char* FONTE_COOPER = "fonts/cooperblack22.pcx";
constexpr const char* FONTE_ARIAL = "fonts/arial14.pcx";

// Draws the static board, column by column; codes outside 0..4 stay undrawn.
void preRenderiza(BITMAP* fundo, const Mapa& mapa, const RecursosFase& rec);

void desenhaCaixas(BITMAP* alvo, const EstadoFase& estado, const RecursosFase& rec);
void desenhaHeroi(BITMAP* alvo, const EstadoFase& estado, const RecursosFase& rec);

// Both buttons of `layout`, each with its hover label under its lit picture.
void desenhaBotoes(BITMAP* alvo, Estilo layout, const RecursosFase& rec, int mouseX, int mouseY);

// The status bar's part that stays the same for a whole level: panel, frame,
// labels.
void desenhaPainelFixo(BITMAP* alvo, const RecursosFase& rec);
// The figures "Passos" and "Movimentos" label.
void desenhaContadores(BITMAP* alvo, const EstadoFase& estado, const RecursosFase& rec);

// The frame around the board, down to the panel's foot.
void molduraTabuleiro(BITMAP* alvo);

// The panel's rectangle of desenhaPainelFixo, drawn once for frames of the
// given width and put back each frame with one blit: some 90,000 pixels,
// outlines and two labels were most of a level frame's drawing. It leaves
// out the frame's outlines around it, which the board holds (see Partida).
class PainelFixo {
public:
    PainelFixo(int larguraQuadro, const RecursosFase& rec);
    // Over a frame that holds molduraTabuleiro, the same pixels as
    // desenhaPainelFixo(alvo, rec).
    void desenha(BITMAP* alvo, const RecursosFase& rec) const;

private:
    int largura;
    Bitmap quadro;  // the frame's bottom rows; null if it could not be made
};

// "Tempo" and the clock, minutes then seconds.
void desenhaRelogio(BITMAP* alvo, const EstadoFase& estado, const RecursosFase& rec);

// One clock number with its padding (textoRelogio).
void escreveNumeroRelogio(BITMAP* alvo, FONT* f, int x, int y, int cor, int valor);

// The music lines: the footer naming F1..F3, which never changes, and above
// it the title of `faixa` ("Pausado" for 0, nothing for a number outside 0..12).
void desenhaRodapeMusica(BITMAP* alvo);
void desenhaTituloFaixa(BITMAP* alvo, int faixa, const RecursosFase& rec);
