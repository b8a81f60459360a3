// A bitmap with one owner, destroyed with it. It sits in the lowest folder
// so the GIF reader, the game, the art generator and the tests share it.
#pragma once

#include <memory>

#include <allegro.h>

struct LiberaBitmap {
    void operator()(BITMAP* b) const { destroy_bitmap(b); }
};
using Bitmap = std::unique_ptr<BITMAP, LiberaBitmap>;
