#include "arte.h"

#include <allegro.h>

#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>

#include "base/bitmap.h"
#include "gif_escrita.h"
#include "pecas.h"
#include "telas.h"
#include "tipos.h"

namespace {

void salvaBmp(const std::string& caminho, BITMAP* b) {
    Bitmap dono(b);
    PALETTE pal;
    get_palette(pal);
    if (save_bitmap(caminho.c_str(), b, pal) != 0) throw std::runtime_error("cannot write " + caminho);
}

struct Saida {
    std::string pasta;
    void bmp(const std::string& nome, BITMAP* b) const { salvaBmp(pasta + "/" + nome, b); }
    void gif(const std::string& nome, BITMAP* b) const {
        Bitmap dono(b);
        salvaGif(pasta + "/" + nome, b);
    }
    void fonte(const std::string& nome, const Tipo& t) const {
        PALETTE pal;
        Bitmap grade(t.grade(pal));
        if (save_bitmap((pasta + "/" + nome).c_str(), grade.get(), pal) != 0)
            throw std::runtime_error("cannot write " + nome);
    }
};

const std::map<std::string, Peca> PECAS = {
    {"img/mapa/preto.bmp", Peca::preto},   {"img/mapa/parede.bmp", Peca::parede},
    {"img/mapa/chao.bmp", Peca::chao},     {"img/mapa/chaoX.bmp", Peca::chaoX},
    {"img/mapa/chao2.bmp", Peca::chao2},   {"img/mapa/chaoX2.bmp", Peca::chaoX2},
    {"img/mapa/azul.bmp", Peca::azul},     {"img/mapa/box.bmp", Peca::box},
    {"img/mapa/boxVerde.bmp", Peca::boxVerde}, {"img/mapa/box2.bmp", Peca::box2},
    {"img/mapa/boxVerm.bmp", Peca::boxVerm},
};

}  // namespace

void geraArte(const Origens& o) {
    namespace fs = std::filesystem;
    if (!o.icone.empty()) {
        salvaBmp(o.icone, Telas(o).icone());
        return;
    }
    for (const char* p : {"img/mapa", "fonts"}) fs::create_directories(fs::path(o.saida) / p);
    Saida s{o.saida};
    Tipo titulo22(o.tipoTitulo, TAMANHO_FONTE_TITULO, &LINHA_TITULO);
    Tipo texto14(o.tipoTexto, TAMANHO_FONTE_TEXTO);
    const std::map<std::string, const Tipo*> fontes = {{"fonts/cooperblack22.pcx", &titulo22},
                                                       {"fonts/arial14.pcx", &texto14}};
    Telas telas(o);
    for (const auto& nome : leArquivos(o.dados + "/arquivos.txt")) {
        if (auto p = PECAS.find(nome); p != PECAS.end()) {
            s.bmp(nome, desenhaPeca(p->second));
        } else if (auto f = fontes.find(nome); f != fontes.end()) {
            s.fonte(nome, *f->second);
        } else {
            BITMAP* b = telas.desenha(nome);
            if (nome.size() > 4 && nome.compare(nome.size() - 4, 4, ".gif") == 0)
                s.gif(nome, b);
            else
                s.bmp(nome, b);
        }
    }
}
