// A level's constant record and the state of the level being played.
// Plain C++: no Allegro here.
#pragma once

#include <array>

constexpr int COLUNAS = 20;
constexpr int LINHAS = 15;
constexpr int MAX_CAIXAS = 10;
constexpr int NUM_FASES = 10;
// A cell's side in pixels: the board, the tiles and the rules' wall test.
constexpr int TAM_CELULA = 40;
// Where the hero's picture stands in his cell, in pixels from its corner:
// narrower than the cell, centred, his feet on its last row.
constexpr int HEROI_DX = 9, HEROI_DY = 2;

// Tile codes of a map.
enum : int { FORA = 0, PAREDE = 1, CHAO = 2, ALVO = 3, BORDA = 4 };

using Mapa = std::array<std::array<int, COLUNAS>, LINHAS>;  // mapa[y][x]

struct Celula {
    int x;
    int y;
    friend constexpr bool operator==(Celula a, Celula b) { return a.x == b.x && a.y == b.y; }
    friend constexpr bool operator!=(Celula a, Celula b) { return !(a == b); }
};

// Which floor/target/box pictures a level uses, and where its undo and
// restart buttons sit.
enum class Estilo { padrao, bonus };

struct DadosFase {
    int numero;  // 1..10; 10 is the bonus level
    const Mapa* mapa;
    Celula inicioHeroi;
    std::array<Celula, MAX_CAIXAS> inicioCaixas;  // the first numCaixas are used
    int numCaixas;
    Estilo conjuntoPecas;
    Estilo layoutBotoes;
};

extern const Mapa map1, map2, map3, map4, map5, map6, map7, map8, map9, map10;
extern const std::array<DadosFase, NUM_FASES> tabelaFases;  // entry N-1 is level N

// Facing codes of the hero.
enum : int { FRENTE = 0, DIREITA = 1, COSTAS = 2, ESQUERDA = 3, SEM_SETA = 4 };

struct EstadoFase {
    Celula heroi;
    Celula heroiAnterior;
    std::array<Celula, MAX_CAIXAS> caixas;
    std::array<Celula, MAX_CAIXAS> caixasAnteriores;
    int numCaixas;
    std::array<bool, MAX_CAIXAS> caixaNoAlvo;
    int direcao;
    int passos;
    int movimentos;
    int minutos;
    int segundos;
    bool tempoIniciado;
    bool bloqueioParede;
    bool bloqueioCaixaParede;
    bool bloqueioCaixaCaixa;
    int contConclusao;
    int faixa;  // music track 1..12; 0 while paused
    int faixaSalva;
    bool iniciarFaixa;
};

// The state at the start of `fase`: hero and boxes on their start cells,
// every counter and flag at zero. The music fields are set by the player.
EstadoFase iniciaEstado(const DadosFase& fase);
