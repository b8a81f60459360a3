#include "algif.h"

BITMAP* load_gif(const char*, RGB*) { return nullptr; }
