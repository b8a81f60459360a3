#include "desenhoFase.h"

#include "play/faixas.h"
#include "play/regras.h"
#include "screen/tela.h"
#include "shell/recursos.h"

namespace {

int rotuloBotao() { return makecol(181, 255, 0); }

void desenhaBotao(BITMAP* alvo, const BotaoJogo& b, BITMAP* normal, BITMAP* aceso, FONT* f,
                  int mouseX, int mouseY) {
    if (b.area.contem(mouseX, mouseY)) {
        // The lit picture covers whatever part of the label falls under it.
        textprintf_ex(alvo, f, mouseX + 20, mouseY + 16, rotuloBotao(), -1, "%s", b.rotulo);
        desenha(alvo, aceso, b.sobre.x, b.sobre.y);
    } else {
        desenha(alvo, normal, b.normal.x, b.normal.y);
    }
}

// Three outlines, each one pixel wider and one pixel shorter than the last.
void moldura(BITMAP* alvo, int x1, int y1, int x2, int y2) {
    rect(alvo, x1, y1, x2, y2, cinza());
    rect(alvo, x1 + 1, y1 - 1, x2 - 1, y2 + 1, cinzaClaro());
    rect(alvo, x1 + 2, y1 - 2, x2 - 2, y2 + 2, quaseBranco());
}

// The clock's line, left to right, on the panel's first row of text.
constexpr int X_TEMPO = 120, X_MINUTOS = 250, X_DOIS_PONTOS = 275, X_SEGUNDOS = 303;
constexpr const char* DOIS_PONTOS = " : ";
// The board's frame and the status panel, from the target's edges: both
// stand MARGEM in from the sides and the bottom, their tops that far above
// the bottom; moldura's outlines step FORA_MOLDURA further out.
constexpr int MARGEM = 40, TOPO_MOLDURA = 560, TOPO_PAINEL = 160, FORA_MOLDURA = 2;
// Rows from the panel's top outline to the bottom, and those of them down
// to the panel's fill, which PainelFixo puts back.
constexpr int ALTURA_PAINEL = TOPO_PAINEL + FORA_MOLDURA;
constexpr int LINHAS_PAINEL = ALTURA_PAINEL - MARGEM + 1;
// The music lines, above the bottom: the track's title and the footer.
constexpr int Y_TITULO = 35, Y_RODAPE = 11;

// The track's title, or nothing for a number outside 0..12.
const char* tituloFaixa(int faixa);

}  // namespace

FONT* fonteOuPadrao(const char* caminho) {
    FONT* f = fonte(caminho);
    return f ? f : font;
}

RecursosFase carregaRecursosFase(Estilo conjuntoPecas) {
    const bool bonus = conjuntoPecas == Estilo::bonus;
    RecursosFase r;
    BITMAP* frente = imagem("img/zepFrente.gif");
    r.heroi = {frente, imagem("img/zepDireita.gif"), imagem("img/zepCosta.gif"),
               imagem("img/zepEsquerda.gif"), frente};
    r.voltar = imagem("img/voltar.gif");
    r.voltar2 = imagem("img/voltar2.gif");
    r.replay = imagem("img/replay.gif");
    r.replay2 = imagem("img/replay2.gif");
    r.pecas[FORA] = imagem("img/mapa/preto.bmp");
    r.pecas[PAREDE] = imagem("img/mapa/parede.bmp");
    r.pecas[CHAO] = imagem(bonus ? "img/mapa/chao2.bmp" : "img/mapa/chao.bmp");
    r.pecas[ALVO] = imagem(bonus ? "img/mapa/chaoX2.bmp" : "img/mapa/chaoX.bmp");
    r.pecas[BORDA] = imagem("img/mapa/azul.bmp");
    r.caixa = imagem(bonus ? "img/mapa/box2.bmp" : "img/mapa/box.bmp");
    r.caixaNoAlvo = imagem(bonus ? "img/mapa/boxVerm.bmp" : "img/mapa/boxVerde.bmp");
    r.cooper = fonteOuPadrao(FONTE_COOPER);
    r.arial = fonteOuPadrao(FONTE_ARIAL);
    return r;
}

void preRenderiza(BITMAP* fundo, const Mapa& mapa, const RecursosFase& rec) {
    for (int x = 0; x < COLUNAS; ++x) {
        for (int y = 0; y < LINHAS; ++y) {
            const int codigo = mapa[y][x];
            if (codigo >= FORA && codigo <= BORDA)
                desenha(fundo, rec.pecas[codigo], TAM_CELULA * x, TAM_CELULA * y);
        }
    }
}

void desenhaCaixas(BITMAP* alvo, const EstadoFase& estado, const RecursosFase& rec) {
    for (int i = 0; i < estado.numCaixas; ++i) {
        const Celula c = estado.caixas[i];
        desenha(alvo, estado.caixaNoAlvo[i] ? rec.caixaNoAlvo : rec.caixa, TAM_CELULA * c.x,
                TAM_CELULA * c.y);
    }
}

void desenhaHeroi(BITMAP* alvo, const EstadoFase& estado, const RecursosFase& rec) {
    const int d = estado.direcao >= 0 && estado.direcao < 5 ? estado.direcao : FRENTE;
    desenha(alvo, rec.heroi[d], TAM_CELULA * estado.heroi.x + HEROI_DX,
            TAM_CELULA * estado.heroi.y + HEROI_DY);
}

void desenhaBotoes(BITMAP* alvo, Estilo layout, const RecursosFase& rec, int mouseX, int mouseY) {
    const BotoesJogo& botoes = botoesJogo(layout);
    desenhaBotao(alvo, botoes.voltar, rec.voltar2, rec.voltar, rec.arial, mouseX, mouseY);
    desenhaBotao(alvo, botoes.reiniciar, rec.replay2, rec.replay, rec.arial, mouseX, mouseY);
}

void molduraTabuleiro(BITMAP* alvo) {
    const int W = alvo->w;
    const int H = alvo->h;
    const int x1 = MARGEM, y1 = H - TOPO_MOLDURA, x2 = W - MARGEM, y2 = H - MARGEM;
    moldura(alvo, x1, y1, x2, y2);
    // The two inner outlines go over a second time.
    rect(alvo, x1 + 1, y1 - 1, x2 - 1, y2 + 1, cinzaClaro());
    rect(alvo, x1 + 2, y1 - 2, x2 - 2, y2 + 2, quaseBranco());
}

void desenhaPainelFixo(BITMAP* alvo, const RecursosFase& rec) {
    const int W = alvo->w;
    const int H = alvo->h;
    rectfill(alvo, MARGEM, H - TOPO_PAINEL, W - MARGEM, H - MARGEM, makecol(50, 50, 50));
    moldura(alvo, MARGEM, H - TOPO_PAINEL, W - MARGEM, H - MARGEM);
    molduraTabuleiro(alvo);
    textprintf_ex(alvo, rec.cooper, 450, H - 140, corRotulo(), -1, "Passos");
    textprintf_ex(alvo, rec.cooper, 120, H - 100, corRotulo(), -1, "Movimentos");
}

void desenhaContadores(BITMAP* alvo, const EstadoFase& estado, const RecursosFase& rec) {
    const int H = alvo->h;
    textprintf_ex(alvo, rec.cooper, 580, H - 140, corValor(), -1, "%d", estado.passos);
    textprintf_ex(alvo, rec.cooper, 330, H - 100, corValor(), -1, "%d", estado.movimentos);
}

PainelFixo::PainelFixo(int larguraQuadro, const RecursosFase& rec)
    : largura(larguraQuadro), quadro(create_bitmap(larguraQuadro, ALTURA_PAINEL)) {
    if (!quadro) return;
    // Everything of it is placed from the bottom, so a bitmap as wide as the
    // frame and as tall as the panel gets the frame's bottom rows. Drawn over
    // the mask colour, so a pixel the panel left out would show.
    clear_to_color(quadro.get(), bitmap_mask_color(quadro.get()));
    desenhaPainelFixo(quadro.get(), rec);
}

void PainelFixo::desenha(BITMAP* alvo, const RecursosFase& rec) const {
    if (!quadro) {
        desenhaPainelFixo(alvo, rec);
        return;
    }
    // From the panel's top to its fill's last row every pixel is drawn. The
    // two rows below hold only the frame's outlines, whose last drawing
    // there is the frame's own, already in the board.
    blit(quadro.get(), alvo, MARGEM, 0, MARGEM, alvo->h - ALTURA_PAINEL, largura - 2 * MARGEM + 1,
         LINHAS_PAINEL);
}

void escreveNumeroRelogio(BITMAP* alvo, FONT* f, int x, int y, int cor, int valor) {
    textprintf_ex(alvo, f, x, y, cor, -1, "%s", textoRelogio(valor).c_str());
}

void desenhaRelogio(BITMAP* alvo, const EstadoFase& estado, const RecursosFase& rec) {
    const int y = alvo->h - 140;
    textprintf_ex(alvo, rec.cooper, X_TEMPO, y, corRotulo(), -1, "Tempo");
    escreveNumeroRelogio(alvo, rec.cooper, X_MINUTOS, y, corValor(), estado.minutos);
    textprintf_ex(alvo, rec.cooper, X_DOIS_PONTOS, y, corValor(), -1, DOIS_PONTOS);
    escreveNumeroRelogio(alvo, rec.cooper, X_SEGUNDOS, y, corValor(), estado.segundos);
}

void desenhaRodapeMusica(BITMAP* alvo) {
    textprintf_centre_ex(alvo, font, alvo->w / 2, alvo->h - Y_RODAPE, makecol(100, 100, 100), -1,
                         "F1 - Pausar/Tocar     F2 - Anterior     F3 - Pr\xF3ximo");
}

namespace {

const char* tituloFaixa(int faixa) {
    if (faixa == 0) return "Pausado";
    if (faixa >= 1 && faixa <= static_cast<int>(faixas.size())) return faixas[faixa - 1].titulo;
    return "";
}

}  // namespace

void desenhaTituloFaixa(BITMAP* alvo, int faixa, const RecursosFase& rec) {
    textprintf_centre_ex(alvo, rec.arial, alvo->w / 2, alvo->h - Y_TITULO, corBranca(), -1,
                         "%s", tituloFaixa(faixa));
}
