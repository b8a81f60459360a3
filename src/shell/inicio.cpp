#include "inicio.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "screen/al_screen.h"
#include "screen/tela.h"
#include "shell/entrada.h"
#include "shell/globais.h"
#include "shell/janela.h"
#include "shell/recursos.h"

#ifdef _WIN32
#include <winalleg.h>
#include <io.h>
#else
#include <unistd.h>
#endif

std::atomic<int> FecharJogo{0};
std::atomic<int> contFrames{0};
std::atomic<int> contTempo{0};
PALETTE pl;

int volume = 128;
int vSync = 0;
int resolucaoX = 800;
int resolucaoY = 600;

void BotaoFechar() { FecharJogo = -1; }
END_OF_FUNCTION(BotaoFechar)

void funcFPS() { ++contFrames; }
END_OF_FUNCTION(funcFPS)

void funcTempo() { ++contTempo; }
END_OF_FUNCTION(funcTempo)

bool tempoParado() {
    static const bool parado = [] {
        const char* v = std::getenv("ZEPKO_TEST_TEMPO_PARADO");
        return v && *v && std::string(v) != "0";
    }();
    return parado;
}

namespace {

namespace fs = std::filesystem;

// With no system driver the library has no message box and no timer (its
// install_timer would crash), so stderr is all there is; exits before any
// file is read or written.
[[noreturn]] void semSistemaGrafico() {
    std::string falta = "no graphical display";
#ifdef ZEPKO_X11
    const char* tela = std::getenv("DISPLAY");
    falta += tela && *tela ? std::string(" (cannot open DISPLAY ") + tela + ")" : " (DISPLAY is not set)";
#endif
    std::fprintf(stderr, "zepko: cannot start: %s\n", falta.c_str());
    std::exit(-1);
}

// The game's files lie beside its exe, whatever folder a shortcut or a
// command prompt starts it in: the role the launcher plays on Linux.
void vaiParaPastaDoJogo() {
#ifdef _WIN32
    std::wstring caminho(MAX_PATH, L'\0');
    DWORD n;
    while ((n = GetModuleFileNameW(nullptr, caminho.data(), static_cast<DWORD>(caminho.size()))) ==
           caminho.size())
        caminho.resize(2 * caminho.size());
    caminho.resize(n);
    auto barra = caminho.find_last_of(L'\\');
    if (barra == std::wstring::npos) return;
    caminho.resize(barra + 1);  // keeps "C:\" a root, not the drive's current folder
    SetCurrentDirectoryW(caminho.c_str());
#endif
}

// Tests only: ZEPKO_TEST_VIDEO_PAGES=N makes the game tell the method in
// force on stderr and, on X11, asks for a virtual screen N pages high, which
// gives the driver real video pages for the page-flipping methods (DirectX
// has them anyway, and refuses a virtual screen taller than the window). A
// player's game keeps its plain 800x600 window.
int alturaVirtualDeTeste() {
#ifdef ZEPKO_X11
    if (const char* n = std::getenv("ZEPKO_TEST_VIDEO_PAGES"))
        return ALTURA_TELA * std::max(0, std::min(std::atoi(n), 4));
#endif
    return 0;
}

// The one word a player gets about a silent game, besides the box of a
// failed start.
void avisaSilencio(const char* porque) {
#ifdef ALLEGRO_UNIX
    const char* veja =
        "check that ALSA's default device plays (speaker-test -c 2 -t wav), that your user may use it, "
        "and the [sound] section of config.txt";
#else
    const char* veja = "check the sound settings of the system and the [sound] section of config.txt";
#endif
    std::fprintf(stderr, "zepko: playing without music: %s; %s\n", porque, veja);
}

const char* const CONFIG = "config.txt";
const char* const CONFIG_NOVO = "config.txt.new";

// The file's bytes on the disk before it takes config.txt's name, and the
// name taken whole: Windows' rename() refuses a name that exists.
bool assentaESubstitui() {
    std::FILE* f = std::fopen(CONFIG_NOVO, "r+b");
    if (!f) return false;
#ifdef _WIN32
    bool assentado = _commit(_fileno(f)) == 0;
#else
    bool assentado = fsync(fileno(f)) == 0;
#endif
    assentado = std::fclose(f) == 0 && assentado;
#ifdef _WIN32
    return assentado && MoveFileExA(CONFIG_NOVO, CONFIG, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    return assentado && std::rename(CONFIG_NOVO, CONFIG) == 0;
#endif
}

// The library would write config.txt in place, truncated first: a kill, a
// power cut or a lost display in between would leave it empty or cut. It
// writes a copy beside it instead, which then replaces it whole. A copy of
// the bytes, not of what was read at start-up: another copy of the game
// may have written since. Nothing is said when it fails, as in a read-only
// folder: the file stays as it was.
void guardaConfig() {
    std::error_code erro;
    fs::remove(CONFIG_NOVO, erro);
    if (fs::exists(CONFIG, erro) && !fs::copy_file(CONFIG, CONFIG_NOVO, erro)) {
        fs::remove(CONFIG_NOVO, erro);
        return;
    }
    // Nothing has changed config.txt in memory yet, so the library lets it
    // go without writing it.
    set_config_file(CONFIG_NOVO);
    set_config_int("Inicializacao", "volume", volume);
    set_config_int("Inicializacao", "vsync", vSync);
    // The library's writer keeps the file's bytes as they always were, and
    // tells of a failed or short write only through errno.
    errno = 0;
    flush_config_file();
    if (errno != 0 || !assentaESubstitui()) fs::remove(CONFIG_NOVO, erro);
}

}  // namespace

void inicia_allegro() {
    // The game's texts are Latin-1 bytes: set before the library starts, so
    // it reads every string that way.
    set_uformat(U_ASCII);
    vaiParaPastaDoJogo();
    preparaJanela();
    if (allegro_init() != 0) semSistemaGrafico();
    install_timer();
    install_keyboard();
    // Ctrl+Alt+End would end the process at once, without the shutdown that
    // writes config.txt back and stops the music: the game has its own ways out.
    three_finger_flag = FALSE;
    clear_keybuf();
    install_mouse();
    instalaToques();
    set_config_file(CONFIG);
    set_color_depth(get_config_int("Inicializacao", "colordepth", 32));
    volume = get_config_int("Inicializacao", "volume", 128);
    vSync = get_config_int("Inicializacao", "vsync", 0);
    resolucaoX = get_config_int("Inicializacao", "resolucaox", 800);
    resolucaoY = get_config_int("Inicializacao", "resolucaoy", 600);

    // Always an 800x600 window, whatever the resolution keys say.
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, LARGURA_TELA, ALTURA_TELA, 0, alturaVirtualDeTeste()) != 0) {
        allegro_message("%s", allegro_error);
        std::exit(-1);
    }
    identificaJanela();
    // The software synthesizer plays through the voices of a sound device.
    // On a machine with no device at all the game goes on silently, with no
    // message; any other failure is reported.
    if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) != 0) {
        std::string erro = allegro_error;
        bool semDispositivo = install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) == 0 &&
                              digi_driver->id == DIGI_NONE;
        if (!semDispositivo) allegro_message("Sound Error: %s", erro.c_str());
        avisaSilencio(semDispositivo ? "no sound device answered" : erro.c_str());
    } else if (midi_driver->id == MIDI_NONE ||
               (midi_driver->id == MIDI_DIGMID && digi_driver->id == DIGI_NONE)) {
        // The library fell back on its silent driver by itself.
        avisaSilencio("no sound device answered");
    }

    initialize_screen_updating(get_config_int("Inicializacao", "updatemethod", 1));
    if (std::getenv("ZEPKO_TEST_VIDEO_PAGES"))
        std::fprintf(stderr, "zepko: update method %d\n", get_update_method());
    set_window_title("Zepko");
    set_display_switch_mode(SWITCH_BACKGROUND);

    LOCK_FUNCTION(BotaoFechar);
    LOCK_FUNCTION(funcFPS);
    LOCK_FUNCTION(funcTempo);
    set_close_button_callback(BotaoFechar);
    // Installed last: no tick counts before the window and the update
    // method are in place.
    install_int_ex(funcFPS, BPS_TO_TIMER(60));
    if (!tempoParado()) install_int(funcTempo, 1000);
}

void deinicia_allegro() {
    clear_keybuf();
    liberaRecursos();
    if (get_update_method() != 0) shutdown_screen_updating();
    guardaConfig();
    allegro_exit();
}
