// save.bin in a fresh folder per test: first start, the completion rule,
// short and long files, a file that cannot be written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "pasta_temporaria.h"
#include "play/progresso.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

class Progresso : public testing::Test {
protected:
    void SetUp() override { mapaLiberado = 1; }  // the value before any read

    static Bytes arquivo() {
        std::ifstream in("save.bin", std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static void grava(const Bytes& b) {
        std::ofstream out("save.bin", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    }

    PastaTemporaria pasta;
};

TEST_F(Progresso, PrimeiroInicioCriaOArquivoCom1) {
    carregaProgresso();
    EXPECT_EQ(mapaLiberado, 1);
    EXPECT_EQ(arquivo(), (Bytes{1, 0, 0, 0}));
}

TEST_F(Progresso, ConcluirAMaiorFaseAbreAProxima) {
    grava({3, 0, 0, 0});
    carregaProgresso();
    ASSERT_EQ(mapaLiberado, 3);
    registraConclusao(3);
    EXPECT_EQ(mapaLiberado, 4);
    EXPECT_EQ(arquivo(), (Bytes{4, 0, 0, 0}));

    grava({9, 9, 9, 9});  // damaged: no value the game writes, so it is mended
    registraConclusao(2);
    EXPECT_EQ(mapaLiberado, 4);
    EXPECT_EQ(arquivo(), (Bytes{4, 0, 0, 0}));
}

// Two copies of the game in one folder, both started at 5: the first clears
// level 5, then the second clears level 1.
TEST_F(Progresso, OutraCopiaNaMesmaPastaNaoPerdeOProgresso) {
    grava({5, 0, 0, 0});
    carregaProgresso();
    grava({6, 0, 0, 0});
    registraConclusao(1);
    EXPECT_EQ(mapaLiberado, 6);
    EXPECT_EQ(arquivo(), (Bytes{6, 0, 0, 0}));
}

TEST_F(Progresso, BonusDe10Para11EDaiNaoPassa) {
    grava({10, 0, 0, 0});
    carregaProgresso();
    registraConclusao(10);
    EXPECT_EQ(mapaLiberado, 11);
    registraConclusao(10);
    EXPECT_EQ(mapaLiberado, 11);
    EXPECT_EQ(arquivo(), (Bytes{11, 0, 0, 0}));
}

TEST_F(Progresso, ArquivoLongoGuardaOsBytesDoFim) {
    grava({2, 0, 0, 0, 0xAB, 0xCD});
    carregaProgresso();
    EXPECT_EQ(mapaLiberado, 2);
    registraConclusao(2);
    EXPECT_EQ(arquivo(), (Bytes{3, 0, 0, 0, 0xAB, 0xCD}));
}

TEST_F(Progresso, ArquivoCurtoDeixa1ENaoEReescritoNoInicio) {
    for (const Bytes& curto : {Bytes{}, Bytes{5}, Bytes{5, 0}, Bytes{5, 0, 0}}) {
        grava(curto);
        mapaLiberado = 1;
        carregaProgresso();
        EXPECT_EQ(mapaLiberado, 1) << curto.size() << " bytes";
        EXPECT_EQ(arquivo(), curto);
    }
    registraConclusao(1);  // the first write makes it whole
    EXPECT_EQ(arquivo(), (Bytes{2, 0, 0, 0}));
}

TEST_F(Progresso, ValoresForaDaFaixaSaoUsadosComoEstao) {
    grava({0xFB, 0xFF, 0xFF, 0xFF});
    carregaProgresso();
    EXPECT_EQ(mapaLiberado, -5);
    registraConclusao(2);
    EXPECT_EQ(mapaLiberado, -5);
    EXPECT_EQ(arquivo(), (Bytes{0xFB, 0xFF, 0xFF, 0xFF}));

    for (auto [bytes, valor] : {std::pair{Bytes{0xFF, 0xFF, 0xFF, 0x7F}, INT_MAX},
                                {Bytes{0x00, 0x00, 0x00, 0x80}, INT_MIN}, {Bytes{0xE8, 0x03, 0x00, 0x00}, 1000}}) {
        grava(bytes);
        carregaProgresso();
        EXPECT_EQ(mapaLiberado, valor);
    }
}

// For the completion rule alone a value below 1 counts as 1: level 1, the
// only open one, opens level 2 when it is cleared.
TEST_F(Progresso, AbaixoDe1ConcluirAFase1AbreA2) {
    for (const Bytes& valor : {Bytes{0, 0, 0, 0}, Bytes{0xFD, 0xFF, 0xFF, 0xFF},
                               Bytes{0, 0, 0, 0x80}}) {
        grava(valor);
        carregaProgresso();
        registraConclusao(1);
        EXPECT_EQ(mapaLiberado, 2);
        EXPECT_EQ(arquivo(), (Bytes{2, 0, 0, 0}));
    }
}

TEST_F(Progresso, NovoJogoGravaO1) {
    grava({7, 0, 0, 0});
    carregaProgresso();
    mapaLiberado = 1;
    salvaProgresso();
    EXPECT_EQ(arquivo(), (Bytes{1, 0, 0, 0}));
}

TEST_F(Progresso, SalvarOndeNaoDaGuardaEmMemoriaEAvisa) {
    fs::create_directory("save.bin");  // neither opened for writing nor created
    carregaProgresso();
    EXPECT_EQ(mapaLiberado, 1);
    mapaLiberado = 5;
    testing::internal::CaptureStderr();
    registraConclusao(5);
    const std::string aviso = testing::internal::GetCapturedStderr();
    EXPECT_EQ(mapaLiberado, 6);
    EXPECT_NE(aviso.find("save.bin"), std::string::npos) << aviso;
    EXPECT_EQ(std::count(aviso.begin(), aviso.end(), '\n'), 1) << aviso;
}

TEST_F(Progresso, InicioOndeNaoDaCriarAvisaEFicaCom1) {
    fs::create_symlink("nao-existe/save.bin", "save.bin");
    testing::internal::CaptureStderr();
    carregaProgresso();
    const std::string aviso = testing::internal::GetCapturedStderr();
    EXPECT_EQ(mapaLiberado, 1);
    EXPECT_NE(aviso.find("save.bin"), std::string::npos) << aviso;
}

// A named pipe as save.bin would block the start, or take the bytes we
// write. Held open here with four bytes waiting, so that opening it would
// not block this test but read those bytes or add ours.
TEST_F(Progresso, ArquivoQueNaoERegularFicaIntocado) {
    ASSERT_EQ(mkfifo("save.bin", 0600), 0);
    const int cano = open("save.bin", O_RDWR | O_NONBLOCK);
    ASSERT_GE(cano, 0);
    const unsigned char sete[4] = {7, 0, 0, 0};
    ASSERT_EQ(write(cano, sete, 4), 4);

    testing::internal::CaptureStderr();
    carregaProgresso();
    const std::string aviso = testing::internal::GetCapturedStderr();
    EXPECT_EQ(mapaLiberado, 1);
    EXPECT_NE(aviso.find("save.bin"), std::string::npos) << aviso;
    EXPECT_EQ(std::count(aviso.begin(), aviso.end(), '\n'), 1) << aviso;
    registraConclusao(1);
    EXPECT_EQ(mapaLiberado, 2);

    unsigned char lido[8];
    EXPECT_EQ(read(cano, lido, sizeof lido), 4) << "bytes taken from the pipe or added to it";
    close(cano);
    EXPECT_TRUE(fs::is_fifo("save.bin"));
}

// Root writes into read-only folders, so as root the case runs in a child
// process that has given up its privileges for an unprivileged user's.
TEST_F(Progresso, PastaSemEscritaGuardaEmMemoria) {
    fs::permissions(pasta.caminho, fs::perms::owner_read | fs::perms::owner_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    auto caso = [] {
        testing::internal::CaptureStderr();
        carregaProgresso();
        registraConclusao(1);
        const std::string aviso = testing::internal::GetCapturedStderr();
        return mapaLiberado == 2 && !fs::exists("save.bin") &&
               aviso.find("save.bin") != std::string::npos;
    };
    if (geteuid() != 0) {
        EXPECT_TRUE(caso());
        return;
    }
    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        const uid_t ninguem = 65534;
        if (setgid(ninguem) != 0 || setuid(ninguem) != 0) _exit(2);
        _exit(caso() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(filho, &status, 0), filho);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: progress not kept in memory or file written; 2: setuid";
}

}  // namespace
