// GIF reader: turns a GIF file into a bitmap of the current colour depth,
// with transparent pixels in the mask colour.
#pragma once

#include <allegro.h>

// Returns the picture after the file's last frame, or null when the file
// cannot be read. `palette` (may be null) receives the colours, 6 bits each.
BITMAP* load_gif(const char* filename, RGB* palette);
