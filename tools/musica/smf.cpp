#include "smf.h"

#include <string>

namespace musica {

namespace {

void poe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}

void poe16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

class Bloco {
public:
    void evento(uint32_t tick, std::initializer_list<uint8_t> bytes) {
        poeVlq(dados_, tick - agora_);
        agora_ = tick;
        dados_.insert(dados_.end(), bytes);
    }
    void meta(uint32_t tick, uint8_t tipo, const std::vector<uint8_t>& conteudo) {
        poeVlq(dados_, tick - agora_);
        agora_ = tick;
        dados_.push_back(0xFF);
        dados_.push_back(tipo);
        poeVlq(dados_, uint32_t(conteudo.size()));
        dados_.insert(dados_.end(), conteudo.begin(), conteudo.end());
    }
    void fecha(uint32_t tick, std::vector<uint8_t>& out) {
        meta(tick, 0x2F, {});
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        poe32(out, uint32_t(dados_.size()));
        out.insert(out.end(), dados_.begin(), dados_.end());
    }

private:
    std::vector<uint8_t> dados_;
    uint32_t agora_ = 0;
};

std::vector<uint8_t> texto(const std::string& s) { return {s.begin(), s.end()}; }

}  // namespace

void poeVlq(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t buf[5];
    int n = 0;
    buf[n++] = v & 0x7F;
    while (v >>= 7) buf[n++] = uint8_t(0x80 | (v & 0x7F));
    while (n) out.push_back(buf[--n]);
}

std::vector<uint8_t> escreveSmf(const Musica& m) {
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    poe32(out, 6);
    poe16(out, 1);
    poe16(out, uint16_t(m.trilhas.size() + 1));
    poe16(out, kDivisao);

    Bloco regente;
    uint8_t log2den = 0;
    while ((1 << log2den) < m.denominador) ++log2den;
    regente.meta(0, 0x58, {uint8_t(m.numerador), log2den, 24, 8});
    for (const Andamento& a : m.andamentos) {
        uint32_t us = uint32_t(60000000 / a.bpm);
        regente.meta(a.tick, 0x51, {uint8_t(us >> 16), uint8_t(us >> 8), uint8_t(us)});
    }
    regente.fecha(m.duracao, out);

    for (const Trilha& t : m.trilhas) {
        Bloco b;
        uint8_t c = uint8_t(t.canal);
        b.meta(0, 0x03, texto(t.nome));
        b.evento(0, {uint8_t(0xC0 | c), uint8_t(t.programa)});
        b.evento(0, {uint8_t(0xB0 | c), 7, uint8_t(t.volume)});
        b.evento(0, {uint8_t(0xB0 | c), 10, uint8_t(t.pan)});
        for (const Evento& e : t.eventos) {
            if ((e.status & 0xF0) == 0xC0)
                b.evento(e.tick, {e.status, e.dado1});
            else
                b.evento(e.tick, {e.status, e.dado1, e.dado2});
        }
        b.fecha(m.duracao, out);
    }
    return out;
}

}  // namespace musica
