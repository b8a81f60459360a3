// Plays every playlist track the way the game does (config.txt in the
// current folder, install_sound with autodetection, the game's own
// tocaFaixa) from a copy of the run folder made elsewhere, with ALSA's
// default device pointed at a file, and measures the samples that came out.
//
// captura_faixas RUN_DIR SHIPPED_CONFIG
#include <gtest/gtest.h>

#include <allegro.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "play/faixas.h"
#include "play/partida.h"
#include "shell/recursos.h"

namespace fs = std::filesystem;

namespace {

std::string pastaRun;
std::string configEnviada;

pid_t xvfb = 0;
fs::path temporaria;
fs::path captura;
int resultadoSom = -1;

// Allegro's X11 system driver is the one that runs timers here, so the
// test brings its own X server, on a display number the server picks.
bool iniciaX() {
    int fd[2];
    if (pipe(fd) != 0) return false;
    xvfb = fork();
    if (xvfb == 0) {
        close(fd[0]);
        std::string n = std::to_string(fd[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", n.c_str(), "-screen", "0", "320x240x24",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fd[1]);
    std::string numero;
    char c;
    while (read(fd[0], &c, 1) == 1 && c != '\n') numero += c;
    close(fd[0]);
    if (numero.empty()) return false;
    setenv("DISPLAY", (":" + numero).c_str(), 1);
    return true;
}

void paraX() {
    if (xvfb > 0) {
        kill(xvfb, SIGTERM);
        waitpid(xvfb, nullptr, 0);
    }
}

struct Medida {
    double rms = 0;          // of the signal around its mean, full scale 32768
    double cheiaEscala = 0;  // share of samples at the extremes (clipping)
};

// 16-bit samples in the file between two sizes; the mean is taken out, so
// signed and unsigned formats measure alike.
Medida mede(uintmax_t de, uintmax_t ate) {
    Medida m;
    std::ifstream in(captura, std::ios::binary);
    in.seekg(std::streamoff(de));
    std::vector<unsigned char> b(size_t(ate - de) / 2 * 2);
    in.read(reinterpret_cast<char*>(b.data()), std::streamsize(b.size()));
    size_t n = size_t(in.gcount()) / 2;
    if (n == 0) return m;
    std::vector<int> s(n);
    double soma = 0;
    for (size_t i = 0; i < n; ++i) {
        s[i] = b[2 * i] | (b[2 * i + 1] << 8);
        soma += s[i];
    }
    bool semSinal = soma / n > 16384;  // silence sits at 0x8000 when unsigned
    double media = 0;
    size_t extremos = 0;
    for (int& v : s) {
        if (!semSinal && v >= 32768) v -= 65536;
        if (semSinal) v -= 32768;
        media += v;
        if (v <= -32767 || v >= 32767) ++extremos;
    }
    media /= n;
    double q = 0;
    for (int v : s) q += (v - media) * (v - media);
    m.rms = std::sqrt(q / n);
    m.cheiaEscala = double(extremos) / n;
    return m;
}

uintmax_t tamanho() {
    std::error_code ec;
    auto t = fs::file_size(captura, ec);
    return ec ? 0 : t;
}

// Set up once for the whole run: the library cannot be started twice.
class AmbienteSom : public ::testing::Environment {
public:
    void SetUp() override {
        char modelo[] = "/tmp/zepko-som-XXXXXX";
        ASSERT_NE(mkdtemp(modelo), nullptr);
        temporaria = modelo;
        captura = temporaria / "som.raw";
        fs::path jogo = temporaria / "jogo";
        fs::create_directories(jogo);
        // Only what the sound needs: the tracks, the patch list with its
        // links, and the config.txt the game ships.
        auto opcoes = fs::copy_options::recursive | fs::copy_options::copy_symlinks;
        fs::copy(fs::path(pastaRun) / "mid", jogo / "mid", opcoes);
        fs::copy(fs::path(pastaRun) / "patches", jogo / "patches", opcoes);
        fs::copy_file(configEnviada, jogo / "config.txt");
        std::ofstream(temporaria / ".asoundrc")
            << "pcm.!default {\n    type file\n    slave.pcm \"null\"\n    file \""
            << captura.string() << "\"\n    format \"raw\"\n}\n";
        setenv("HOME", temporaria.c_str(), 1);
        fs::current_path(jogo);

        ASSERT_TRUE(iniciaX());
        ASSERT_EQ(allegro_init(), 0);
        ASSERT_EQ(install_timer(), 0);
        set_config_file("config.txt");
        resultadoSom = install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr);
        if (resultadoSom != 0) std::fprintf(stderr, "install_sound: %s\n", allegro_error);
    }

    void TearDown() override {
        liberaRecursos();
        remove_sound();
        allegro_exit();
        paraX();
        if (!temporaria.empty()) fs::remove_all(temporaria);
    }
};

TEST(Som, ShippedConfigPicksTheSoftwareSynthesizer) {
    ASSERT_EQ(resultadoSom, 0) << allegro_error;
    EXPECT_EQ(digi_driver->id, DIGI_ALSA) << digi_driver->name;
    EXPECT_EQ(midi_driver->id, MIDI_DIGMID) << midi_driver->name;
    EXPECT_EQ(get_mixer_bits(), 16);
    EXPECT_GE(midi_driver->voices, 24);
}

class Faixa : public ::testing::TestWithParam<int> {};

TEST_P(Faixa, SoundsAndComesRoundAgain) {
    ASSERT_EQ(resultadoSom, 0) << allegro_error;
    ASSERT_EQ(midi_driver->id, MIDI_DIGMID);
    const ::Faixa& f = faixas[GetParam()];
    MIDI* m = load_midi(f.arquivo);
    ASSERT_NE(m, nullptr) << f.arquivo;

    int segundos = get_midi_length(m);
    long batidas = -midi_pos;
    EXPECT_GE(segundos, 60) << f.arquivo;
    EXPECT_LE(segundos, 180) << f.arquivo;

    uintmax_t inicio = tamanho();
    tocaFaixa(GetParam() + 1);
    rest(2500);
    uintmax_t meio = tamanho();
    // The last two beats, then on past the end: the loop must start over.
    midi_seek(int(batidas - 2));
    rest(2500);
    long depois = midi_pos;
    stop_midi();
    uintmax_t fim = tamanho();
    destroy_midi(m);

    Medida comeco = mede(inicio, meio);
    Medida volta = mede(meio, fim);
    std::printf("%s: %d s, %ld beats; start rms %.0f (%.3f%% at full scale), "
                "across the loop rms %.0f\n",
                f.arquivo, segundos, batidas, comeco.rms, 100 * comeco.cheiaEscala, volta.rms);
    EXPECT_GT(meio - inicio, 100000u) << "no samples reached the capture file";
    EXPECT_GT(comeco.rms, 300) << f.arquivo << " starts silent";
    EXPECT_LT(comeco.cheiaEscala, 0.001) << f.arquivo << " clips";
    EXPECT_GT(volta.rms, 300) << f.arquivo << " is silent across the loop";
    EXPECT_GT(depois, 0) << f.arquivo << " stopped instead of looping";
    EXPECT_LT(depois, batidas / 2) << f.arquivo << " did not come round to its start";
}

INSTANTIATE_TEST_SUITE_P(Playlist, Faixa, ::testing::Range(0, 12),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return "faixa" + std::to_string(i.param + 1);
                         });

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: captura_faixas RUN_DIR SHIPPED_CONFIG\n");
        return 2;
    }
    pastaRun = fs::absolute(argv[1]).string();
    configEnviada = fs::absolute(argv[2]).string();
    ::testing::AddGlobalTestEnvironment(new AmbienteSom);
    return RUN_ALL_TESTS();
}
