#include "progresso.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

int mapaLiberado = 1;

bool faseAberta(int numero) { return numero == 1 || mapaLiberado > numero - 1; }

void (*avisoProgresso)(const char*) = [](const char* texto) {
    std::fprintf(stderr, "zepko: %s\n", texto);
};

namespace {

namespace fs = std::filesystem;

const char* const ARQUIVO = "save.bin";
constexpr int32_t MAIOR_CONQUISTADO = 11;  // the bonus level cleared

// In place, never truncated: the four bytes wait in the stream's buffer and
// reach the file in one write, so an end at any moment leaves the old value
// or the new one.
void escreveValor(std::FILE* f) {
    uint32_t v = static_cast<uint32_t>(mapaLiberado);
    unsigned char bytes[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16),
                              static_cast<unsigned char>(v >> 24)};
    std::fseek(f, 0, SEEK_SET);
    std::fwrite(bytes, 1, 4, f);
}

// The first four bytes of an open save.bin; none when it is shorter.
std::optional<int32_t> leValor(std::FILE* f) {
    unsigned char bytes[4];
    std::fseek(f, 0, SEEK_SET);
    if (std::fread(bytes, 1, 4, f) != 4) return std::nullopt;
    uint32_t v = bytes[0] | (uint32_t(bytes[1]) << 8) | (uint32_t(bytes[2]) << 16) |
                 (uint32_t(bytes[3]) << 24);
    return static_cast<int32_t>(v);
}

// What save.bin holds now, read without a word when it cannot be.
std::optional<int32_t> valorGuardado() {
    std::error_code erro;
    if (fs::status(ARQUIVO, erro).type() != fs::file_type::regular) return std::nullopt;
    std::FILE* f = std::fopen(ARQUIVO, "rb");
    if (!f) return std::nullopt;
    const std::optional<int32_t> v = leValor(f);
    std::fclose(f);
    return v;
}

void avisaSemArquivo() {
    avisoProgresso("cannot write save.bin; progress is kept only until the game ends");
}

// Only a regular file, or none yet, is ever opened: opening a named pipe
// blocks until someone writes into it, and a device would take our bytes.
bool usavel() {
    std::error_code erro;
    const fs::file_type tipo = fs::status(ARQUIVO, erro).type();
    if (tipo == fs::file_type::regular || tipo == fs::file_type::not_found) return true;
    avisoProgresso(
        "save.bin is not a regular file; it is left alone and progress is kept only until the "
        "game ends");
    return false;
}

}  // namespace

void carregaProgresso() {
    if (!usavel()) return;
    std::FILE* f = std::fopen(ARQUIVO, "rb");
    if (!f) {
        f = std::fopen(ARQUIVO, "w+b");
        if (!f) {
            avisaSemArquivo();
            return;
        }
        escreveValor(f);
        std::fflush(f);
    }
    // A file shorter than four bytes holds no whole value: keep the one we
    // have and leave the file as it is.
    if (const std::optional<int32_t> v = leValor(f)) mapaLiberado = *v;
    std::fclose(f);
}

void salvaProgresso() {
    if (!usavel()) return;
    std::FILE* f = std::fopen(ARQUIVO, "r+b");
    if (!f) f = std::fopen(ARQUIVO, "w+b");
    if (!f) {
        avisaSemArquivo();
        return;
    }
    escreveValor(f);
    if (std::fclose(f) != 0) avisaSemArquivo();
}

void registraConclusao(int numero) {
    // A damaged file below 1 leaves level 1 open: clearing it must open
    // level 2, or only a new game would get the player out.
    const int maiorAberta = mapaLiberado < 1 ? 1 : mapaLiberado;
    if (numero == maiorAberta) mapaLiberado = maiorAberta + 1;
    // Another copy of the game in this folder may have opened more levels
    // since this one read the file: progress it could have written (up to
    // the bonus level cleared) is taken up, never written over with less.
    const std::optional<int32_t> guardado = valorGuardado();
    if (guardado && *guardado > mapaLiberado && *guardado <= MAIOR_CONQUISTADO) {
        mapaLiberado = *guardado;
        return;
    }
    if (guardado != mapaLiberado) salvaProgresso();
}
