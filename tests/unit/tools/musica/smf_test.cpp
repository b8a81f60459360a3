#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <vector>

#include "smf.h"

using namespace musica;

namespace {

std::vector<uint8_t> vlq(uint32_t v) {
    std::vector<uint8_t> out;
    poeVlq(out, v);
    return out;
}

// Reads a file back the way a player does: chunks, delta times, running
// status is not used by the writer, meta and channel events.
struct Lido {
    int formato = -1, divisao = -1;
    struct Trilha {
        uint32_t fim = 0;  // tick of End of Track
        std::vector<std::vector<uint8_t>> eventos;
        std::vector<uint32_t> ticks;
    };
    std::vector<Trilha> trilhas;
};

uint32_t le32(const std::vector<uint8_t>& b, size_t p) {
    return uint32_t(b.at(p)) << 24 | uint32_t(b.at(p + 1)) << 16 | uint32_t(b.at(p + 2)) << 8 | b.at(p + 3);
}

Lido le(const std::vector<uint8_t>& b) {
    Lido l;
    if (std::string(b.begin(), b.begin() + 4) != "MThd" || le32(b, 4) != 6) throw std::runtime_error("header");
    l.formato = b[8] << 8 | b[9];
    int n = b[10] << 8 | b[11];
    l.divisao = b[12] << 8 | b[13];
    size_t p = 14;
    for (int i = 0; i < n; ++i) {
        if (std::string(b.begin() + p, b.begin() + p + 4) != "MTrk") throw std::runtime_error("chunk");
        size_t fim = p + 8 + le32(b, p + 4);
        p += 8;
        Lido::Trilha t;
        uint32_t tick = 0;
        bool acabou = false;
        while (p < fim) {
            uint32_t d = 0;
            uint8_t c;
            do {
                c = b.at(p++);
                d = d << 7 | (c & 0x7F);
            } while (c & 0x80);
            tick += d;
            uint8_t s = b.at(p);
            std::vector<uint8_t> ev;
            if (s == 0xFF) {
                uint8_t tipo = b.at(p + 1);
                uint8_t len = b.at(p + 2);  // short metas only here
                ev.assign(b.begin() + p, b.begin() + p + 3 + len);
                p += 3 + len;
                if (tipo == 0x2F) {
                    t.fim = tick;
                    acabou = true;
                }
            } else {
                size_t len = (s & 0xF0) == 0xC0 || (s & 0xF0) == 0xD0 ? 2 : 3;
                if (!(s & 0x80)) throw std::runtime_error("running status");
                ev.assign(b.begin() + p, b.begin() + p + len);
                p += len;
            }
            t.eventos.push_back(ev);
            t.ticks.push_back(tick);
        }
        if (p != fim || !acabou) throw std::runtime_error("track end");
        l.trilhas.push_back(t);
    }
    if (p != b.size()) throw std::runtime_error("trailing bytes");
    return l;
}

}  // namespace

TEST(Smf, VariableLengthQuantities) {
    EXPECT_EQ(vlq(0), (std::vector<uint8_t>{0x00}));
    EXPECT_EQ(vlq(0x7F), (std::vector<uint8_t>{0x7F}));
    EXPECT_EQ(vlq(0x80), (std::vector<uint8_t>{0x81, 0x00}));
    EXPECT_EQ(vlq(0x3FFF), (std::vector<uint8_t>{0xFF, 0x7F}));
    EXPECT_EQ(vlq(0x4000), (std::vector<uint8_t>{0x81, 0x80, 0x00}));
    EXPECT_EQ(vlq(0x0FFFFFFF), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(Smf, WritesAConductorAndOneTrackPerTrilhaEndingAtTheLoopPoint) {
    Musica m = lePartitura(
        "andamento 100\ncompasso 6/8\n"
        "trilha a canal 2 programa 73 volume 90 pan 30\nC4q. D4 | T150 p68 E4h. |\n"
        "trilha b canal 10\nbdh. | rh. |\n",
        "t.txt");
    auto bytes = escreveSmf(m);
    Lido l = le(bytes);
    EXPECT_EQ(l.formato, 1);
    EXPECT_EQ(l.divisao, 480);
    ASSERT_EQ(l.trilhas.size(), 3u);
    for (auto& t : l.trilhas) EXPECT_EQ(t.fim, 2u * 1440);

    // Metre 6/8 and the two tempos: 60e6/100 and 60e6/150 microseconds.
    const auto& r = l.trilhas[0];
    EXPECT_EQ(r.eventos[0], (std::vector<uint8_t>{0xFF, 0x58, 4, 6, 3, 24, 8}));
    EXPECT_EQ(r.eventos[1], (std::vector<uint8_t>{0xFF, 0x51, 3, 0x09, 0x27, 0xC0}));
    EXPECT_EQ(r.eventos[2], (std::vector<uint8_t>{0xFF, 0x51, 3, 0x06, 0x1A, 0x80}));
    EXPECT_EQ(r.ticks[2], 1440u);

    // Name, program, volume and pan at tick 0 on channel 2 (index 1).
    const auto& a = l.trilhas[1];
    EXPECT_EQ(a.eventos[0], (std::vector<uint8_t>{0xFF, 0x03, 1, 'a'}));
    EXPECT_EQ(a.eventos[1], (std::vector<uint8_t>{0xC1, 73}));
    EXPECT_EQ(a.eventos[2], (std::vector<uint8_t>{0xB1, 7, 90}));
    EXPECT_EQ(a.eventos[3], (std::vector<uint8_t>{0xB1, 10, 30}));
    EXPECT_EQ(a.eventos[4], (std::vector<uint8_t>{0x91, 60, 90}));
    // The program change mid-track lands before the note it is for.
    bool achou = false;
    for (size_t i = 0; i + 1 < a.eventos.size(); ++i)
        if (a.eventos[i] == std::vector<uint8_t>{0xC1, 68}) {
            EXPECT_EQ(a.ticks[i], 1440u);
            EXPECT_EQ(a.eventos[i + 1], (std::vector<uint8_t>{0x91, 64, 90}));
            achou = true;
        }
    EXPECT_TRUE(achou);
    EXPECT_EQ(l.trilhas[2].eventos[4], (std::vector<uint8_t>{0x99, 36, 90}));
}

TEST(Smf, LongDeltasAndLongTracks) {
    // A whole note then 40 bars of rest: deltas need several bytes.
    Musica m = lePartitura("andamento 60\ncompasso 4/4\ntrilha a canal 1\nC4w | { rw | }40 C5w |\n", "t.txt");
    Lido l = le(escreveSmf(m));
    const auto& t = l.trilhas[1];
    EXPECT_EQ(t.fim, 42u * 1920);
    std::vector<uint32_t> ons;
    for (size_t i = 0; i < t.eventos.size(); ++i)
        if ((t.eventos[i][0] & 0xF0) == 0x90) ons.push_back(t.ticks[i]);
    EXPECT_EQ(ons, (std::vector<uint32_t>{0, 41u * 1920}));
}
