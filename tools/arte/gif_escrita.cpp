#include "gif_escrita.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <unordered_map>

#include "mascara.h"

namespace {

constexpr int MAX_CODIGOS = 4096;

// Packs variable-width codes into bytes, least significant bit first.
class Bits {
public:
    void poe(int codigo, int tamanho) {
        acumulado_ |= uint32_t(codigo) << n_;
        n_ += tamanho;
        while (n_ >= 8) {
            bytes.push_back(uint8_t(acumulado_ & 0xFF));
            acumulado_ >>= 8;
            n_ -= 8;
        }
    }
    void fecha() {
        if (n_ > 0) bytes.push_back(uint8_t(acumulado_ & 0xFF));
        acumulado_ = 0;
        n_ = 0;
    }
    std::vector<uint8_t> bytes;

private:
    uint32_t acumulado_ = 0;
    int n_ = 0;
};

std::vector<uint8_t> lzw(const std::vector<uint8_t>& indices, int tamanhoMinimo) {
    const int limpa = 1 << tamanhoMinimo, fim = limpa + 1;
    Bits saida;
    std::unordered_map<uint32_t, int> dicionario;
    int proximo = limpa + 2, tamanho = tamanhoMinimo + 1;
    saida.poe(limpa, tamanho);
    int prefixo = indices[0];
    for (size_t i = 1; i < indices.size(); ++i) {
        uint32_t chave = uint32_t(prefixo) << 8 | indices[i];
        auto it = dicionario.find(chave);
        if (it != dicionario.end()) {
            prefixo = it->second;
            continue;
        }
        saida.poe(prefixo, tamanho);
        if (proximo < MAX_CODIGOS) {
            // the reader widens its codes once the table reaches 2^tamanho
            if (proximo == (1 << tamanho)) ++tamanho;
            dicionario.emplace(chave, proximo++);
        } else {
            saida.poe(limpa, tamanho);
            dicionario.clear();
            proximo = limpa + 2;
            tamanho = tamanhoMinimo + 1;
        }
        prefixo = indices[i];
    }
    saida.poe(prefixo, tamanho);
    if (proximo < MAX_CODIGOS && proximo == (1 << tamanho)) ++tamanho;
    saida.poe(fim, tamanho);
    saida.fecha();
    return saida.bytes;
}

void poe16(std::vector<uint8_t>& v, int n) {
    v.push_back(uint8_t(n & 0xFF));
    v.push_back(uint8_t(n >> 8));
}

}  // namespace

std::vector<uint8_t> codificaGif(BITMAP* figura) {
    const int w = figura->w, h = figura->h;
    // Index 0 is kept for transparency when the picture needs it; colours
    // follow in the order they first appear, so the output never varies.
    bool temTransparente = false;
    for (int y = 0; y < h && !temTransparente; ++y)
        for (int x = 0; x < w; ++x) {
            Cor c = leCor(figura, x, y);
            if (c.r == 255 && c.g == 0 && c.b == 255) {
                temTransparente = true;
                break;
            }
        }
    std::vector<Cor> tabela;
    if (temTransparente) tabela.push_back({255, 0, 255});
    std::map<int, int> indiceDe;
    std::vector<uint8_t> indices(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Cor c = leCor(figura, x, y);
            int chave = c.r << 16 | c.g << 8 | c.b;
            auto it = indiceDe.find(chave);
            if (it == indiceDe.end()) {
                if (chave == 0xFF00FF) {
                    it = indiceDe.emplace(chave, 0).first;
                } else {
                    if (tabela.size() >= 256) throw std::runtime_error("GIF picture has too many colours");
                    it = indiceDe.emplace(chave, int(tabela.size())).first;
                    tabela.push_back(c);
                }
            }
            indices[size_t(y) * w + x] = uint8_t(it->second);
        }
    int bitsTabela = 1;
    while ((1 << bitsTabela) < int(tabela.size())) ++bitsTabela;
    tabela.resize(size_t(1) << bitsTabela, Cor{0, 0, 0});

    std::vector<uint8_t> v = {'G', 'I', 'F', '8', '9', 'a'};
    poe16(v, w);
    poe16(v, h);
    v.push_back(uint8_t(0x80 | (bitsTabela - 1) << 4 | (bitsTabela - 1)));
    v.push_back(0);  // background index
    v.push_back(0);  // aspect ratio
    for (const Cor& c : tabela) {
        v.push_back(uint8_t(c.r));
        v.push_back(uint8_t(c.g));
        v.push_back(uint8_t(c.b));
    }
    if (temTransparente) {
        const uint8_t controle[] = {0x21, 0xF9, 4, 0x01, 0, 0, 0, 0};
        v.insert(v.end(), std::begin(controle), std::end(controle));
    }
    v.push_back(0x2C);
    poe16(v, 0);
    poe16(v, 0);
    poe16(v, w);
    poe16(v, h);
    v.push_back(0);  // no local table, not interlaced
    int tamanhoMinimo = bitsTabela < 2 ? 2 : bitsTabela;
    v.push_back(uint8_t(tamanhoMinimo));
    std::vector<uint8_t> dados = lzw(indices, tamanhoMinimo);
    for (size_t i = 0; i < dados.size(); i += 255) {
        size_t n = std::min<size_t>(255, dados.size() - i);
        v.push_back(uint8_t(n));
        v.insert(v.end(), dados.begin() + long(i), dados.begin() + long(i + n));
    }
    v.push_back(0);
    v.push_back(0x3B);
    return v;
}

void salvaGif(const std::string& arquivo, BITMAP* figura) {
    std::vector<uint8_t> v = codificaGif(figura);
    FILE* f = std::fopen(arquivo.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + arquivo);
    bool ok = std::fwrite(v.data(), 1, v.size(), f) == v.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok) throw std::runtime_error("cannot write " + arquivo);
}
