#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "partitura.h"

using namespace musica;

namespace {

Musica le(const std::string& corpo, const std::string& cabeca = "andamento 120\ncompasso 4/4\n") {
    return lePartitura(cabeca + corpo, "t.txt");
}

struct Nota {
    uint32_t inicio, fim;
    int altura, velocidade;
};

// Pairs note-ons with their note-offs.
std::vector<Nota> notas(const Trilha& t) {
    std::vector<Nota> r;
    for (size_t i = 0; i < t.eventos.size(); ++i) {
        const Evento& on = t.eventos[i];
        if ((on.status & 0xF0) != 0x90) continue;
        for (size_t j = i + 1; j < t.eventos.size(); ++j) {
            const Evento& off = t.eventos[j];
            if ((off.status & 0xF0) == 0x80 && off.dado1 == on.dado1) {
                r.push_back({on.tick, off.tick, on.dado1, on.dado2});
                break;
            }
        }
    }
    return r;
}

std::string erroDe(const std::string& texto) {
    try {
        lePartitura(texto, "t.txt");
    } catch (const ErroPartitura& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(Duracao, UnitsDotsTripletsAndSums) {
    EXPECT_EQ(duracaoDe("w"), 1920);
    EXPECT_EQ(duracaoDe("q"), 480);
    EXPECT_EQ(duracaoDe("s"), 120);
    EXPECT_EQ(duracaoDe("t"), 60);
    EXPECT_EQ(duracaoDe("h."), 1440);
    EXPECT_EQ(duracaoDe("q.."), 840);
    EXPECT_EQ(duracaoDe("e3"), 160);
    EXPECT_EQ(duracaoDe("hq"), 1440);
    EXPECT_EQ(duracaoDe("q.e"), 960);
    EXPECT_EQ(duracaoDe(""), 0);
    EXPECT_EQ(duracaoDe("x"), 0);
    EXPECT_EQ(duracaoDe("q4"), 0);
}

TEST(Partitura, PitchesFollowScientificNames) {
    Musica m = le("trilha a canal 1\nC4q C#4 Db4 Bb3 B#3 A4 C-1 G9 |\n", "andamento 120\ncompasso 8/4\n");
    auto n = notas(m.trilhas[0]);
    std::vector<int> alturas;
    for (auto& x : n) alturas.push_back(x.altura);
    EXPECT_EQ(alturas, (std::vector<int>{60, 61, 61, 58, 60, 69, 0, 127}));
}

TEST(Partitura, DurationCarriesOverAndGateShortensTheSound) {
    Musica m = le("trilha a canal 3 programa 40 volume 99 pan 10\nv70 g50 C4h D4 | g100 E4q r F4 G4 |\n");
    const Trilha& t = m.trilhas[0];
    EXPECT_EQ(t.canal, 2);
    EXPECT_EQ(t.programa, 40);
    EXPECT_EQ(t.volume, 99);
    EXPECT_EQ(t.pan, 10);
    auto n = notas(t);
    ASSERT_EQ(n.size(), 5u);
    EXPECT_EQ(n[0].inicio, 0u);
    EXPECT_EQ(n[0].fim, 480u);  // half note at 50%
    EXPECT_EQ(n[1].inicio, 960u);
    EXPECT_EQ(n[2].inicio, 1920u);
    EXPECT_EQ(n[2].fim, 2400u);
    EXPECT_EQ(n[3].inicio, 2880u);  // after the quarter rest
    EXPECT_EQ(n[4].fim, 3840u);
    EXPECT_EQ(n[0].velocidade, 70);
    EXPECT_EQ(m.duracao, 3840u);
    EXPECT_DOUBLE_EQ(m.segundos(), 4.0);
}

TEST(Partitura, ChordsAccentsAndDrumNames) {
    Musica m = le("trilha b canal 10\nv100 (bd hh)q >sd (C4 E4)h |\n");
    auto n = notas(m.trilhas[0]);
    ASSERT_EQ(n.size(), 5u);
    EXPECT_EQ(n[0].altura, 36);
    EXPECT_EQ(n[1].altura, 42);
    EXPECT_EQ(n[0].inicio, n[1].inicio);
    EXPECT_EQ(n[2].altura, 38);
    EXPECT_EQ(n[2].velocidade, 120);
    EXPECT_EQ(n[3].inicio, 960u);
    EXPECT_EQ(n[4].inicio, 960u);
    for (const Evento& e : m.trilhas[0].eventos) EXPECT_EQ(e.status & 0x0F, 9);
}

TEST(Partitura, RepeatsAndTransposedPhrasesButNotDrums) {
    Musica m = le(
        "frase f\nC4q D4 |\n"
        "frase g\n$f+2 |\n"
        "trilha a canal 1\n{ $f $f-12 }2 $g\n"
        "trilha b canal 10\n{ $f+5 $f }2 $g\n",
        "andamento 120\ncompasso 2/4\n");
    auto a = notas(m.trilhas[0]);
    std::vector<int> alturas;
    for (auto& x : a) alturas.push_back(x.altura);
    EXPECT_EQ(alturas, (std::vector<int>{60, 62, 48, 50, 60, 62, 48, 50, 62, 64}));
    for (auto& x : notas(m.trilhas[1])) EXPECT_TRUE(x.altura == 60 || x.altura == 62);
    EXPECT_EQ(m.duracao, 10u * 480);
}

TEST(Partitura, TiedNotesSoundOnceUntilTheEndOfTheTie) {
    Musica m = le("trilha a canal 1\ng50 C4h~ C4q~ C4q | C4q~ D4q E4h |\n");
    auto n = notas(m.trilhas[0]);
    ASSERT_EQ(n.size(), 4u);
    EXPECT_EQ(n[0].inicio, 0u);
    EXPECT_EQ(n[0].fim, 1440u + 240);  // the last quarter at 50%
    // A tie into another pitch ends at its own full length.
    EXPECT_EQ(n[1].inicio, 1920u);
    EXPECT_EQ(n[1].fim, 2400u);
    EXPECT_EQ(n[2].altura, 62);
}

TEST(Partitura, RepeatedNotesEndBeforeTheyStartAgain) {
    Musica m = le("trilha a canal 1\ng100 C4q C4 C4 C4 |\n");
    const auto& ev = m.trilhas[0].eventos;
    for (size_t i = 1; i < ev.size(); ++i) {
        ASSERT_LE(ev[i - 1].tick, ev[i].tick);
        if (ev[i - 1].tick == ev[i].tick) {
            EXPECT_EQ(ev[i - 1].status & 0xF0, 0x80);
            EXPECT_EQ(ev[i].status & 0xF0, 0x90);
        }
    }
    EXPECT_EQ(notas(m.trilhas[0]).size(), 4u);
}

TEST(Partitura, TempoChangesMakeTheTempoMap) {
    Musica m = le("trilha a canal 1\nC4w | T60 C4w |\n");
    ASSERT_EQ(m.andamentos.size(), 2u);
    EXPECT_EQ(m.andamentos[0].tick, 0u);
    EXPECT_EQ(m.andamentos[0].bpm, 120);
    EXPECT_EQ(m.andamentos[1].tick, 1920u);
    EXPECT_EQ(m.andamentos[1].bpm, 60);
    EXPECT_DOUBLE_EQ(m.segundos(), 2.0 + 4.0);
}

TEST(Partitura, PickupShiftsTheBarLinesAndShortensTheLastBar) {
    // One-beat pickup in 3/4: the last bar has two beats, so the loop
    // keeps the metre.
    Musica m = lePartitura("andamento 90\ncompasso 3/4\nanacruse q\ntrilha a canal 1\nE4q | A4h. | A4h\n", "t.txt");
    EXPECT_EQ(m.duracao, 2u * 1440);
    EXPECT_NE(erroDe("andamento 90\ncompasso 3/4\nanacruse q\ntrilha a canal 1\nE4q | A4h. | A4h.\n"), "");
}

TEST(Partitura, FaultsNameTheFileAndLine) {
    const std::string cab = "andamento 120\ncompasso 4/4\n";
    EXPECT_EQ(erroDe(cab + "trilha a canal 1\nC4q D4 E4 |\n"), "t.txt:4: bar line 1440 ticks into a bar in trilha 'a'");
    EXPECT_EQ(erroDe(cab + "trilha a canal 1\nC4w |\nH4q\n"), "t.txt:5: unknown word 'H4q'");
    EXPECT_NE(erroDe(cab + "trilha a canal 1\nC4w |\ntrilha b canal 2\nC4h\n").find("lasts 960 ticks, the longest 1920"), std::string::npos);
    EXPECT_NE(erroDe(cab + "trilha a canal 1\nC4h\n").find("not a whole number of bars"), std::string::npos);
    EXPECT_NE(erroDe(cab + "trilha a canal 1\n$nada\n").find("unknown phrase 'nada'"), std::string::npos);
    EXPECT_NE(erroDe(cab + "frase f\n$g\nfrase g\n$f\ntrilha a canal 1\n$f\n").find("in a loop"), std::string::npos);
    EXPECT_NE(erroDe(cab + "trilha a canal 1\n{ C4w\n").find("'{' without '}'"), std::string::npos);
    EXPECT_NE(erroDe(cab + "trilha a canal 1\n(C4 E4q)w\n").find("plain notes"), std::string::npos);
    EXPECT_NE(erroDe(cab + "trilha a\nC4w\n").find("needs a canal"), std::string::npos);
    EXPECT_NE(erroDe(cab + "trilha a canal 17\nC4w\n").find("out of range"), std::string::npos);
    EXPECT_NE(erroDe(cab + "trilha a canal 1\nG9q A9 B9 C9 |\n").find("out of MIDI range"), std::string::npos);
    EXPECT_NE(erroDe(cab + "trilha a canal 1\n$f+12\nfrase f\nC9w\n").find("out of MIDI range"), std::string::npos);
    EXPECT_NE(erroDe("compasso 4/4\ntrilha a canal 1\nC4w\n").find("missing andamento"), std::string::npos);
    EXPECT_NE(erroDe(cab + "C4w\n").find("outside a frase or trilha"), std::string::npos);
    EXPECT_EQ(erroDe(cab + "% only a comment\ntrilha a canal 1 % here too\nC4w | % and here\n"), "");
}
