#include "apoio.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

void TelaJogo::SetUpTestSuite() {
    static bool iniciado = false;
    if (iniciado) return;
    set_uformat(U_ASCII);
    ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
    set_color_depth(32);
    iniciado = true;
}

void TelaJogo::SetUp() {
    // No img/ or fonts/ here: whatever the cache looks for is missing.
    char molde[] = "/tmp/zepko-jogo-XXXXXX";
    ASSERT_NE(mkdtemp(molde), nullptr);
    pasta = molde;
    pastaAnterior = std::filesystem::current_path().string();
    std::filesystem::current_path(pasta);

    const int tons[5][3] = {{0, 0, 60}, {120, 60, 0}, {200, 200, 200}, {200, 0, 0}, {0, 0, 250}};
    for (int i = 0; i < 5; ++i) pecas[i] = bloco(40, 40, tons[i][0], tons[i][1], tons[i][2]);
    caixa = bloco(40, 40, 150, 100, 50);
    caixaVerde = bloco(40, 40, 0, 220, 0);
    for (int i = 0; i < 4; ++i) heroi[i] = bloco(22, 36, 250, 200, 10 + 40 * i);
    voltar = bloco(36, 30, 10, 10, 200);
    voltar2 = bloco(36, 30, 10, 10, 100);
    replay = bloco(36, 30, 200, 10, 10);
    replay2 = bloco(36, 30, 100, 10, 10);
}

void TelaJogo::TearDown() {
    liberaRecursos();
    std::filesystem::current_path(pastaAnterior);
    std::filesystem::remove_all(pasta);
}

Bitmap TelaJogo::bloco(int w, int h, int r, int g, int b) {
    Bitmap bmp(create_bitmap(w, h));
    clear_to_color(bmp.get(), makecol(r, g, b));
    return bmp;
}

bool TelaJogo::temCor(BITMAP* bmp, int x1, int y1, int x2, int y2, int c) {
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if (getpixel(bmp, x, y) == c) return true;
    return false;
}

RecursosFase TelaJogo::recursos() {
    RecursosFase r;
    for (int i = 0; i < 5; ++i) r.pecas[i] = pecas[i].get();
    r.caixa = caixa.get();
    r.caixaNoAlvo = caixaVerde.get();
    r.heroi = {heroi[0].get(), heroi[1].get(), heroi[2].get(), heroi[3].get(), heroi[0].get()};
    r.voltar = voltar.get();
    r.voltar2 = voltar2.get();
    r.replay = replay.get();
    r.replay2 = replay2.get();
    r.cooper = font;
    r.arial = font;
    return r;
}

EntradaFase TelaJogo::entrada() {
    EntradaFase e;
    e.teclas = teclas;
    e.mouseX = &mx;
    e.mouseY = &my;
    e.mouseB = &mb;
    e.teclaEsperando = [this] { return esperando; };
    e.esvaziaTeclado = [this] {
        esperando = false;
        ++esvaziamentos;
    };
    e.pausa = [this](unsigned ms) { pausas.push_back(ms); };
    e.tocaFaixa = [this](int f) { tocadas.push_back(f); };
    e.paraMusica = [this] { ++paradas; };
    return e;
}

Bitmap TelaJogo::quadro(Partida& p) {
    Bitmap alvo(create_bitmap(800, 600));
    clear_bitmap(alvo.get());
    quadroPartida(p, alvo.get());
    return alvo;
}

Bitmap TelaJogo::aperta(Partida& p, int tecla) {
    teclas[tecla] = 1;
    esperando = true;
    Bitmap alvo = quadro(p);
    teclas[tecla] = 0;
    return alvo;
}
