// libFuzzer entry: any bytes through the whole reader, then the frames once
// more onto small bitmaps of every colour depth at awkward positions.
#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "gif/algif.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) abort();
    set_color_depth(32);
    // 8-bit colours through a table instead of a palette search per colour.
    static RGB_MAP map;
    create_rgb_table(&map, default_palette, nullptr);
    rgb_map = &map;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PALETTE pal;
    BITMAP* whole = load_gif_packfile(algif_open_memory(data, size), pal);
    // The same bytes parse the same way: a refused file has nothing to draw.
    if (!whole) return 0;
    destroy_bitmap(whole);

    gif_animation* gif = load_object(algif_open_memory(data, size));
    if (!gif) abort();
    for (int depth : {8, 15, 16, 24}) {
        BITMAP* bmp = create_bitmap_ex(depth, 7, 5);
        if (!bmp) abort();
        for (size_t f = 0; f < gif->frames.size(); f++) algif_render_frame(gif, bmp, int(f), -3, -2);
        destroy_bitmap(bmp);
    }
    algif_destroy_raw_animation(gif);
    return 0;
}
