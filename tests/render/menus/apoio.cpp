#include "apoio.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "play/progresso.h"

void TelaMenu::SetUpTestSuite() {
    static bool iniciado = false;
    if (iniciado) return;
    ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
    set_color_depth(32);
    iniciado = true;
}

void TelaMenu::SetUp() {
    entrada.mouseX = &mx;
    entrada.mouseY = &my;
    entrada.mouseB = &mb;
    entrada.teclas = teclas;
    fundoCor = makecol(10, 60, 120);
    mapaLiberado = 1;

    char molde[] = "/tmp/zepko-menus-XXXXXX";
    ASSERT_NE(mkdtemp(molde), nullptr);
    pasta = molde;
    pastaAnterior = std::filesystem::current_path().string();
    std::filesystem::current_path(pasta);
}

void TelaMenu::TearDown() {
    std::filesystem::current_path(pastaAnterior);
    std::filesystem::remove_all(pasta);
}

Bitmap TelaMenu::bloco(int w, int h, int r, int g, int b) {
    Bitmap bmp(create_bitmap(w, h));
    clear_to_color(bmp.get(), makecol(r, g, b));
    return bmp;
}

Bitmap TelaMenu::tela() {
    Bitmap bmp(create_bitmap(800, 600));
    clear_to_color(bmp.get(), fundoCor);
    return bmp;
}

bool TelaMenu::existe(const char* arquivo) const { return std::filesystem::exists(arquivo); }

std::vector<unsigned char> TelaMenu::bytes(const char* arquivo) const {
    std::vector<unsigned char> v;
    if (std::FILE* f = std::fopen(arquivo, "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) v.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
    }
    return v;
}
