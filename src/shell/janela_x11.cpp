// The window's identity and the display's end, on X11 only: the build adds
// this file and links Xlib (the library Allegro draws with) there alone.
#include "shell/janela.h"

#include <xalleg.h>
#include <X11/Xatom.h>

#include <atomic>
#include <cstddef>
#include <unistd.h>

// The desktop icon (tools/arte), turned at build time into the library's
// XPM and into _NET_WM_ICON's rows: width, height, then ARGB pixels, for
// each size in turn.
extern const char* const iconeXpm[];
extern const unsigned long iconeNet[];
extern const std::size_t iconeNetTamanho;

// The library's icon for the window it creates (WM_HINTS), in XPM.
extern "C" void* allegro_icon;

namespace {

// Xlib's own handler prints and calls exit(), whose atexit shutdown then
// runs on whichever thread met the broken connection, beside the others
// still drawing: a crash. Here the game ends at once, with no shutdown
// (config.txt stays as it was). No write in progress is waited for: save.bin
// takes its four bytes in one write and config.txt is replaced whole, so an
// end at any moment leaves both whole.
int conexaoPerdida(Display*) {
    static std::atomic_flag dito = ATOMIC_FLAG_INIT;
    if (!dito.test_and_set()) {
        static const char linha[] = "zepko: the display went away (lost the connection to the X server)\n";
        [[maybe_unused]] auto n = write(STDERR_FILENO, linha, sizeof linha - 1);
    }
    _exit(SAIDA_SEM_TELA);
}

Window janelaGerenciada() { return _xwin.wm_window != None ? _xwin.wm_window : _xwin.window; }

}  // namespace

void preparaJanela() {
    // WM_CLASS, by which docks and task bars tie the window to zepko.desktop
    // (StartupWMClass); the library sets it as it creates the window.
    xwin_set_window_name("zepko", "Zepko");
    // Xpm reads the lines and never writes them.
    allegro_icon = const_cast<char**>(iconeXpm);
}

void identificaJanela() {
    XSetIOErrorHandler(conexaoPerdida);
    XLOCK();
    Display* d = _xwin.display;
    const Window w = janelaGerenciada();
    if (d && w != None) {
        // _NET_WM_PID names a process of the machine in WM_CLIENT_MACHINE.
        char maquina[256] = "";
        gethostname(maquina, sizeof maquina - 1);
        char* nomes[] = {maquina};
        XTextProperty texto;
        if (XStringListToTextProperty(nomes, 1, &texto)) {
            XSetWMClientMachine(d, w, &texto);
            XFree(texto.value);
        }
        const unsigned long pid = getpid();
        XChangeProperty(d, w, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pid), 1);
        XChangeProperty(d, w, XInternAtom(d, "_NET_WM_ICON", False), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(iconeNet), static_cast<int>(iconeNetTamanho));
        XFlush(d);
    }
    XUNLOCK();
}
