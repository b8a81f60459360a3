// Helpers of the GIF tests: pictures made by outside encoders, ImageMagick's
// own decoding of them, and GIF files built byte by byte.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>
#include <vector>

using bytes = std::vector<uint8_t>;

// A fresh file name in this run's scratch folder.
std::string scratch(const std::string& name);

// Runs a shell command; the test fails when it does.
void run(const std::string& command);

// Runs ImageMagick's convert with `args`.
void convert(const std::string& args);

bytes read_file(const std::string& path);
std::string write_file(const std::string& name, const bytes& data);

// The picture ImageMagick shows after the file's last frame, as 8-bit RGBA.
struct rgba_picture {
    int w = 0, h = 0;
    bytes px;
};
rgba_picture reference_picture(const std::string& path, int w, int h);

// Pixels of `bmp` that differ from the reference (transparent: mask colour).
int mismatches(BITMAP* bmp, const rgba_picture& ref, std::string* first = nullptr);

// Loads `path` at colour depth `depth` and compares it with ImageMagick.
void expect_same_as_reference(const std::string& path, int depth = 32);

BITMAP* load_bytes(const bytes& file, RGB* palette = nullptr);

// LZW data of `pixels` as a GIF stream: minimum code size, sub-blocks,
// terminator. Only root codes are sent, then `tail` codes before the end
// code; `clear_when_full` false keeps going with 12-bit codes when the table
// is full (a deferred clear). With root codes only, the entry made after the
// n-th pixel (n >= 1) is clear + 1 + n: pixels n - 1 and n.
bytes lzw_stream(const bytes& pixels, int min_size, bool clear_when_full = true,
                 const std::vector<int>& tail = {});

// A GIF file put together block by block.
struct gif_builder {
    bytes out;
    explicit gif_builder(int w, int h, int global_colours = 0, const char* sig = "GIF89a");
    gif_builder& word(int v);
    gif_builder& colours(int n);  // n entries: (3i, 5i, 7i) mod 256
    gif_builder& control(int disposal, int transparent = -1, int size = 4);
    gif_builder& image(int x, int y, int w, int h, const bytes& data, int local_colours = 0,
                       bool interlaced = false);
    gif_builder& raw(const bytes& b);
    bytes trailer();
};
