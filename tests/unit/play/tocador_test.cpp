// The music player's state machine: which track plays, when the music stops.
#include <gtest/gtest.h>

#include "play/tocador.h"

namespace {

EstadoFase tocando(int faixa) {
    EstadoFase e = iniciaEstado(tabelaFases[0]);
    iniciaTocador(e, faixa - 1);
    passoMusica(e);
    return e;
}

TEST(Tocador, PrimeiraFaixaAleatoriaDe1A12ComecaNoPrimeiroPasso) {
    for (auto [aleatorio, faixa] : {std::pair{0, 1}, {11, 12}, {12, 1}, {2147483647, 8}}) {
        EstadoFase e = iniciaEstado(tabelaFases[0]);
        iniciaTocador(e, aleatorio);
        const AcaoMusica a = passoMusica(e);
        EXPECT_EQ(a.tipo, AcaoMusica::tocar);
        EXPECT_EQ(a.faixa, faixa);
        EXPECT_EQ(passoMusica(e).tipo, AcaoMusica::nada) << "started once, then it loops by itself";
    }
}

TEST(Tocador, F2EF3DaVoltaNaLista) {
    EstadoFase e = tocando(1);
    EXPECT_TRUE(teclasMusica(e, {false, true, false}));
    EXPECT_EQ(e.faixa, 12);
    const AcaoMusica a = passoMusica(e);
    EXPECT_EQ(a.tipo, AcaoMusica::tocar);
    EXPECT_EQ(a.faixa, 12);

    EXPECT_TRUE(teclasMusica(e, {false, false, true}));
    EXPECT_EQ(e.faixa, 1);
    EXPECT_TRUE(teclasMusica(e, {false, false, true}));
    EXPECT_EQ(passoMusica(e).faixa, 2);
    EXPECT_TRUE(teclasMusica(e, {false, true, false}));
    EXPECT_EQ(passoMusica(e).faixa, 1);
}

TEST(Tocador, F1PausaNoProximoPassoERetomaDoComeco) {
    EstadoFase e = tocando(5);
    EXPECT_FALSE(teclasMusica(e, {true, false, false})) << "a pause stops the music one frame later";
    EXPECT_EQ(e.faixa, 0);
    EXPECT_EQ(e.faixaSalva, 5);
    EXPECT_EQ(passoMusica(e).tipo, AcaoMusica::parar);
    EXPECT_EQ(passoMusica(e).tipo, AcaoMusica::nada);

    EXPECT_TRUE(teclasMusica(e, {true, false, false}));
    const AcaoMusica a = passoMusica(e);
    EXPECT_EQ(a.tipo, AcaoMusica::tocar);
    EXPECT_EQ(a.faixa, 5);
}

TEST(Tocador, PausadoF3TocaA1EF2A12GuardandoAFaixa) {
    EstadoFase e = tocando(7);
    teclasMusica(e, {true, false, false});
    passoMusica(e);
    EXPECT_TRUE(teclasMusica(e, {false, false, true}));
    EXPECT_EQ(passoMusica(e).faixa, 1);
    EXPECT_EQ(e.faixaSalva, 7);

    teclasMusica(e, {true, false, false});  // pause again: now 1 is kept
    EXPECT_EQ(e.faixaSalva, 1);
    passoMusica(e);
    EXPECT_TRUE(teclasMusica(e, {false, true, false}));
    const AcaoMusica a = passoMusica(e);
    EXPECT_EQ(a.tipo, AcaoMusica::tocar);
    EXPECT_EQ(a.faixa, 12);
    EXPECT_EQ(e.faixaSalva, 1);
}

// F2, F3, F1 in one frame act in that order: F1 last pauses what F2 and F3 left.
TEST(Tocador, OrdemF2F3F1) {
    EstadoFase e = tocando(5);
    EXPECT_TRUE(teclasMusica(e, {true, true, true}));
    EXPECT_EQ(e.faixa, 0);
    EXPECT_EQ(e.faixaSalva, 5);

    EstadoFase p = tocando(5);
    teclasMusica(p, {true, false, false});  // paused on 5
    teclasMusica(p, {true, true, false});   // F2 to 12, then F1 pauses it
    EXPECT_EQ(p.faixa, 0);
    EXPECT_EQ(p.faixaSalva, 12);
}

TEST(Tocador, SemTeclaNadaMuda) {
    EstadoFase e = tocando(3);
    EXPECT_FALSE(teclasMusica(e, {}));
    EXPECT_EQ(e.faixa, 3);
    EXPECT_EQ(passoMusica(e).tipo, AcaoMusica::nada);
}

}  // namespace
