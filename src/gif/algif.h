// GIF reader: turns a GIF file into a bitmap of the current colour depth,
// with transparent pixels in the mask colour.
#pragma once

#include <allegro.h>

#include <cstddef>
#include <vector>

// Pictures larger than this (logical screen or one image) are refused, and so
// is a file whose images add up to more than kGifMaxTotalPixels or that holds
// more than kGifMaxFrames images: a few bytes of file must not be able to ask
// for gigabytes.
#ifndef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
constexpr long kGifMaxPixels = 1L << 24;
constexpr long kGifMaxTotalPixels = 1L << 26;
constexpr int kGifMaxFrames = 10000;
#else
// Small enough that the fuzzer's time goes to the parser and the decoder, not
// to clearing and drawing the millions of pixels or thousands of frames that
// a few header bytes can ask for.
constexpr long kGifMaxPixels = 1L << 14;
constexpr long kGifMaxTotalPixels = 1L << 16;
constexpr int kGifMaxFrames = 16;
#endif

struct gif_palette {
    int colors_count = 0;  // 0: the table is absent
    struct {
        unsigned char r, g, b, spare;
    } colors[256] = {};
};

struct gif_frame {
    BITMAP* bitmap_8_bit = nullptr;  // one colour index per pixel
    gif_palette palette;             // local table
    int xoff = 0, yoff = 0;
    int duration = 0;  // hundredths of a second
    int disposal_method = 0;
    int transparent_index = -1;
};

struct gif_animation {
    int width = 0, height = 0;  // logical screen
    int background_index = 0;   // kept, never used in rendering
    int loop = 0;               // NETSCAPE2.0 repeat count
    gif_palette palette;        // global table
    std::vector<gif_frame> frames;
    BITMAP* store = nullptr;  // area under a frame with disposal method 3
};

// Returns the picture after the file's last frame, or null when the file
// cannot be read. `palette` (may be null) receives the colours, 6 bits each.
BITMAP* load_gif(const char* filename, RGB* palette);

// The same from an open packfile, which is closed in every case.
BITMAP* load_gif_packfile(PACKFILE* file, RGB* palette);

// A read-only packfile over `size` bytes at `data`; the bytes must outlive it.
PACKFILE* algif_open_memory(const void* data, std::size_t size);

gif_animation* algif_load_raw_animation(const char* filename);

// Parses a whole GIF file; closes `file` in every case.
gif_animation* load_object(PACKFILE* file);

// Decodes one image's data, up to and including its block terminator, into
// an 8-bit memory bitmap: 0, or -1 on a data error. With `row_order`, the
// stream's n-th row goes to display row row_order[n] (interlacing).
int LZW_decode(PACKFILE* file, BITMAP* bmp, const int* row_order = nullptr);

// Draws frame `f` onto `bmp` (any colour depth) with the logical screen's top
// left corner at (x, y), after disposing of the frame before it.
void algif_render_frame(gif_animation* gif, BITMAP* bmp, int f, int x, int y);

void algif_destroy_raw_animation(gif_animation* gif);
