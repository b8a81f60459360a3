#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "pasta_temporaria.h"
#include "patches.h"

using namespace musica;

namespace {

const char* kLista =
    "dir /usr/share/x\n"
    "# comment\n"
    "drumset 0\n"
    " 36\tDrum/036_Kick.pat amp=100\n"
    " 54\tDrum/054_Tamb.pat\n"
    "bank 0\n"
    " 0\tTone/000_Piano.pat\n"
    " 19\tTone/019_Organ.pat\n"
    " 46\tTone/046_Harp.pat\n"
    " 68\tTone/068_Oboe.pat\n"
    " 104\tTone/104_Sitar.pat\n";

std::string lePorLinha(const std::string& texto, const std::string& chave) {
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);)
        if (l.rfind(chave + " ", 0) == 0) return l.substr(chave.size() + 1);
    return "";
}

}  // namespace

TEST(Patches, ReadsTheTimidityListWithItsDirAndDrumset) {
    ConjuntoPatches c = leListaTimidity(kLista);
    EXPECT_EQ(c.pasta, "/usr/share/x");
    EXPECT_EQ(c.bateria.size(), 2u);
    EXPECT_EQ(c.bateria.at(36), "Drum/036_Kick.pat");
    EXPECT_EQ(c.programas.size(), 5u);
    EXPECT_EQ(c.programas.at(104), "Tone/104_Sitar.pat");
    EXPECT_EQ(c.programas.count(36), 0u);  // the kick is not a program
}

TEST(Patches, StandInsPreferSoundThenFamilyThenPiano) {
    ConjuntoPatches c = leListaTimidity(kLista);
    EXPECT_EQ(programaSubstituto(68, c), 68);   // present
    EXPECT_EQ(programaSubstituto(109, c), 68);  // bagpipe: oboe, not the sitar next door
    EXPECT_EQ(programaSubstituto(107, c), 46);  // koto: harp
    EXPECT_EQ(programaSubstituto(20, c), 19);   // reed organ: nearest organ
    EXPECT_EQ(programaSubstituto(105, c), 104); // banjo's neighbour is missing: its family
    EXPECT_EQ(programaSubstituto(90, c), 0);    // nothing of the family: piano
    EXPECT_EQ(percussaoSubstituta(36, c), 36);
    EXPECT_EQ(percussaoSubstituta(83, c), 54);  // jingle bell: tambourine
    EXPECT_EQ(percussaoSubstituta(38, c), -1);
    EXPECT_EQ(programaSubstituto(5, ConjuntoPatches{}), -1);
}

TEST(Patches, AllegroListNumbersProgramsFromOneAndDrumsInAMultipatch) {
    std::string lista = escreveListaAllegro(leListaTimidity(kLista));
    EXPECT_EQ(lePorLinha(lista, "1"), "Tone_000_Piano.pat");
    EXPECT_EQ(lePorLinha(lista, "69"), "Tone_068_Oboe.pat");
    EXPECT_EQ(lePorLinha(lista, "110"), "Tone_068_Oboe.pat");
    EXPECT_EQ(lePorLinha(lista, "128"), "Tone_000_Piano.pat");
    EXPECT_EQ(lePorLinha(lista, "0"), "");
    auto multi = lista.find("\n129 begin_multipatch\n");
    ASSERT_NE(multi, std::string::npos);
    std::string drums = lista.substr(multi + 22);
    EXPECT_EQ(lePorLinha(drums, "36"), "Drum_036_Kick.pat");
    EXPECT_EQ(lePorLinha(drums, "83"), "Drum_054_Tamb.pat");
    EXPECT_EQ(lePorLinha(drums, "38"), "");
    // Every melodic line comes before the drums, or they would be read as drums.
    std::istringstream in(lista.substr(0, multi));
    int linhas = 0;
    for (std::string l; std::getline(in, l);)
        if (!l.empty() && l[0] != '#') ++linhas;
    EXPECT_EQ(linhas, 128);
}

TEST(Patches, LocalNamesAreFlatAndEndInPat) {
    EXPECT_EQ(nomeLocal("Tone_000/000_Acoustic_Grand_Piano.pat"), "Tone_000_000_Acoustic_Grand_Piano.pat");
    EXPECT_EQ(nomeLocal("a/b/c"), "a_b_c.pat");
}

// Debian's own freepats list, when installed: every GM program and every
// GM percussion note gets a file that exists.
TEST(Patches, DebianFreepatsCoversGeneralMidi) {
    std::string cfg = ZEPKO_FREEPATS_CFG;
    if (cfg.empty() || !std::filesystem::exists(cfg)) GTEST_SKIP() << "freepats is not installed";
    std::ifstream in(cfg);
    std::stringstream s;
    s << in.rdbuf();
    ConjuntoPatches c = leListaTimidity(s.str());
    ASSERT_FALSE(c.pasta.empty());
    for (int p = 0; p < 128; ++p) {
        int q = programaSubstituto(p, c);
        ASSERT_GE(q, 0);
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(c.pasta) / c.programas.at(q))) << p;
    }
    for (int n = 35; n <= 81; ++n) {
        int q = percussaoSubstituta(n, c);
        ASSERT_GE(q, 0) << n;
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(c.pasta) / c.bateria.at(q))) << n;
    }
}

// A small sample set on disk: one listed file is not installed.
TEST(Patches, InstallLinksInstalledFilesAndSurvivesACopy) {
    namespace fs = std::filesystem;
    const PastaTemporaria pasta(false);
    const fs::path& raiz = pasta.caminho;
    fs::create_directories(raiz / "set" / "Tone");
    fs::create_directories(raiz / "set" / "Drum");
    for (const char* f : {"Tone/000_Piano.pat", "Tone/068_Oboe.pat", "Drum/036_Kick.pat"})
        std::ofstream(raiz / "set" / f) << f;
    std::ofstream(raiz / "set" / "list.cfg")
        << "drumset 0\n 36 Drum/036_Kick.pat\nbank 0\n 0 Tone/000_Piano.pat\n"
           " 46 Tone/046_Harp.pat\n 68 Tone/068_Oboe\n";

    ASSERT_EQ(instalaPatches(raiz / "set" / "list.cfg", raiz / "run" / "patches"), "");
    std::ifstream in(raiz / "run" / "patches" / "zepko.cfg");
    std::stringstream s;
    s << in.rdbuf();
    std::string lista = s.str();
    EXPECT_EQ(lePorLinha(lista, "69"), "Tone_068_Oboe.pat");  // ".pat" added
    EXPECT_EQ(lePorLinha(lista, "47"), "Tone_000_Piano.pat"); // the harp is missing
    EXPECT_EQ(lePorLinha(lista, "108"), "Tone_000_Piano.pat"); // and so the koto's neighbour
    EXPECT_FALSE(fs::exists(raiz / "run" / "patches" / "Tone_046_Harp.pat"));

    // The run folder copied elsewhere, links and all, still reaches the samples.
    fs::copy(raiz / "run", raiz / "copia", fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    fs::remove_all(raiz / "run");
    for (const char* f : {"Tone_000_Piano.pat", "Tone_068_Oboe.pat", "Drum_036_Kick.pat"}) {
        fs::path p = raiz / "copia" / "patches" / f;
        EXPECT_TRUE(fs::is_symlink(p)) << f;
        std::ifstream amostra(p);
        std::string conteudo;
        std::getline(amostra, conteudo);
        EXPECT_FALSE(conteudo.empty()) << f;
    }
    EXPECT_NE(instalaPatches(raiz / "nada.cfg", raiz / "x"), "");
}
