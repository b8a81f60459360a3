#include "recursos.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "gif/algif.h"
#include "screen/tela.h"
#include "shell/globais.h"

namespace {

struct LiberaFonte {
    void operator()(FONT* f) const { destroy_font(f); }
};
struct LiberaMidi {
    void operator()(MIDI* m) const { destroy_midi(m); }
};

std::map<std::string, Bitmap> imagens;
std::map<std::string, std::unique_ptr<FONT, LiberaFonte>> fontes;
std::map<std::string, std::unique_ptr<MIDI, LiberaMidi>> musicas;
// Pictures of `imagens` without a pixel of the mask colour.
std::set<const BITMAP*> opacas;

bool semTransparencia(BITMAP* b) {
    const int mascara = bitmap_mask_color(b);
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (getpixel(b, x, y) == mascara) return false;
    return true;
}

bool terminaEm(const std::string& s, const char* fim) {
    size_t n = std::strlen(fim);
    return s.size() >= n && strcasecmp(s.c_str() + s.size() - n, fim) == 0;
}

// Looks `caminho` up in `cache`, loading it on first use. A failed load is
// remembered too, so it is reported once.
template <class T, class Del, class Carrega>
T* busca(std::map<std::string, std::unique_ptr<T, Del>>& cache, const char* caminho,
         Carrega carrega) {
    auto it = cache.find(caminho);
    if (it != cache.end()) return it->second.get();
    T* obj = carrega(caminho);
    if (!obj) std::fprintf(stderr, "zepko: cannot load %s\n", caminho);
    cache.emplace(caminho, std::unique_ptr<T, Del>(obj));
    return obj;
}

}  // namespace

BITMAP* imagem(const char* caminho) {
    return busca(imagens, caminho, [](const char* c) -> BITMAP* {
        BITMAP* b = terminaEm(c, ".gif") ? load_gif(c, pl) : load_bitmap(c, pl);
        if (b && semTransparencia(b)) opacas.insert(b);
        return b;
    });
}

FONT* fonte(const char* caminho) {
    return busca(fontes, caminho, [](const char* c) { return load_font(c, pl, nullptr); });
}

MIDI* musica(const char* caminho) {
    return busca(musicas, caminho, [](const char* c) { return load_midi(c); });
}

void liberaRecursos() {
    opacas.clear();
    imagens.clear();
    fontes.clear();
    musicas.clear();
}

void desenha(BITMAP* alvo, BITMAP* figura, int x, int y) {
    if (!figura) return;
    if (opacas.count(figura))
        blit(figura, alvo, 0, 0, x, y, figura->w, figura->h);
    else
        draw_sprite(alvo, figura, x, y);
}

bool cobreQuadro(BITMAP* figura) {
    return figura && opacas.count(figura) && figura->w >= LARGURA_TELA && figura->h >= ALTURA_TELA;
}
