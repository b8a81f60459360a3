// The twelve shipped pieces against the synthesizer and its sample set.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "partitura.h"
#include "patches.h"
#include "smf.h"

namespace fs = std::filesystem;
using namespace musica;

namespace {

std::string leArquivo(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The source of mid/NN.mid: data/musica/NN-*.txt.
fs::path fonteDe(int i) {
    char prefixo[16];
    std::snprintf(prefixo, sizeof prefixo, "%02d-", i + 1);
    for (auto& e : fs::directory_iterator(ZEPKO_PARTITURAS))
        if (e.path().filename().string().rfind(prefixo, 0) == 0) return e.path();
    return {};
}

class Peca : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        fonte = fonteDe(GetParam());
        ASSERT_FALSE(fonte.empty()) << "no source for track " << GetParam() + 1;
        m = lePartitura(leArquivo(fonte), fonte.filename().string());
    }
    fs::path fonte;
    Musica m;
};

// Largest number of notes sounding at once over all tracks.
int polifonia(const Musica& m) {
    std::vector<std::pair<uint32_t, int>> mudancas;
    for (const Trilha& t : m.trilhas)
        for (const Evento& e : t.eventos) {
            if ((e.status & 0xF0) == 0x90) mudancas.push_back({e.tick, +1});
            if ((e.status & 0xF0) == 0x80) mudancas.push_back({e.tick, -1});
        }
    std::sort(mudancas.begin(), mudancas.end());
    int agora = 0, maximo = 0;
    for (auto& [t, d] : mudancas) maximo = std::max(maximo, agora += d);
    return maximo;
}

}  // namespace

TEST_P(Peca, LastsOneToThreeMinutes) {
    EXPECT_GE(m.segundos(), 60.0) << fonte;
    EXPECT_LE(m.segundos(), 180.0) << fonte;
}

TEST_P(Peca, EveryTrackEndsAtTheLoopPointAndNotesFitInIt) {
    for (const Trilha& t : m.trilhas) {
        ASSERT_FALSE(t.eventos.empty()) << t.nome;
        EXPECT_LE(t.eventos.back().tick, m.duracao) << t.nome;
    }
    Musica copia = m;
    EXPECT_EQ(escreveSmf(copia), escreveSmf(m));
}

TEST_P(Peca, FitsTheSynthesizersVoices) {
    // The software synthesizer gets 24 voices by default and steals notes
    // beyond that; leave room for release tails.
    EXPECT_LE(polifonia(m), 20) << fonte;
}

TEST_P(Peca, UsesOnlyInstrumentsTheSampleSetPlays) {
    std::string cfg = ZEPKO_FREEPATS_CFG;
    if (cfg.empty() || !fs::exists(cfg)) GTEST_SKIP() << "freepats is not installed";
    ConjuntoPatches c = leListaTimidity(leArquivo(cfg));
    for (const Trilha& t : m.trilhas) {
        std::set<int> programas = {t.programa};
        std::set<int> notas;
        for (const Evento& e : t.eventos) {
            if ((e.status & 0xF0) == 0xC0) programas.insert(e.dado1);
            if ((e.status & 0xF0) == 0x90) notas.insert(e.dado1);
        }
        if (t.canal == 9) {
            for (int n : notas) EXPECT_EQ(percussaoSubstituta(n, c), n) << t.nome << " note " << n;
            continue;
        }
        for (int p : programas) {
            // Itself, or the neighbour chosen for it (koto -> harp).
            bool toca = c.programas.count(p) || c.programas.count(vizinhoNomeado(p));
            EXPECT_TRUE(toca) << fonte.filename() << " " << t.nome << " program " << p;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Doze, Peca, ::testing::Range(0, 12),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return "faixa" + std::to_string(i.param + 1);
                         });
