// A bitmap with one owner, destroyed with it. Every module of the game, the
// GIF reader too, the art generator and the tests share it, so it sits in
// the lowest folder, which holds nothing else.
#pragma once

#include <memory>

#include <allegro.h>

struct LiberaBitmap {
    void operator()(BITMAP* b) const { destroy_bitmap(b); }
};
using Bitmap = std::unique_ptr<BITMAP, LiberaBitmap>;
