// The board's tiles and boxes: 40 x 40, fully opaque, lit from the top left.
#pragma once

#include <allegro.h>

#include "play/fase.h"

enum class Peca { preto, parede, chao, chaoX, chao2, chaoX2, azul, box, boxVerde, box2, boxVerm };

BITMAP* desenhaPeca(Peca p);
