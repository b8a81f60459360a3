#include "apoio_gif.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "gif/algif.h"
#include "pasta_temporaria.h"

// One folder for the whole run, removed at exit.
std::string scratch(const std::string& name) {
    static const PastaTemporaria pasta(false);
    return (pasta.caminho / name).string();
}

void run(const std::string& command) { ASSERT_EQ(std::system(command.c_str()), 0) << command; }

void convert(const std::string& args) { run(std::string(ZEPKO_CONVERT) + " " + args); }

bytes read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return bytes(std::istreambuf_iterator<char>(in), {});
}

std::string write_file(const std::string& name, const bytes& data) {
    std::string path = scratch(name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), data.size());
    return path;
}

rgba_picture reference_picture(const std::string& path, int w, int h) {
    std::string raw = path + ".rgba";
    // Coalescing applies the disposal methods; the last frame is the result.
    convert("'" + path + "' -coalesce -depth 8 'rgba:" + raw + "'");
    bytes all = read_file(raw);
    rgba_picture ref{w, h, {}};
    size_t n = size_t(w) * h * 4;
    if (all.size() >= n && all.size() % n == 0) ref.px.assign(all.end() - n, all.end());
    return ref;
}

int mismatches(BITMAP* bmp, const rgba_picture& ref, std::string* first) {
    if (ref.px.size() != size_t(bmp->w) * bmp->h * 4 || ref.w != bmp->w || ref.h != bmp->h) return -1;
    const int depth = bitmap_color_depth(bmp);
    int count = 0;
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++) {
            const uint8_t* p = &ref.px[(size_t(y) * bmp->w + x) * 4];
            int got = getpixel(bmp, x, y);
            bool same;
            if (depth == 8) {
                // Allegro picks the index of an 8-bit colour; it keeps 0 for the mask.
                same = p[3] == 0 ? got == 0 : got != 0 && got == makecol8(p[0], p[1], p[2]);
            } else {
                int want = p[3] == 0 ? bitmap_mask_color(bmp) : makecol_depth(depth, p[0], p[1], p[2]);
                same = got == want;
            }
            if (!same && count++ == 0 && first)
                *first = "(" + std::to_string(x) + "," + std::to_string(y) + ") got " + std::to_string(got);
        }
    return count;
}

void expect_same_as_reference(const std::string& path, int depth) {
    set_color_depth(depth);
    PALETTE pal;
    BITMAP* bmp = load_gif(path.c_str(), pal);
    set_color_depth(32);
    ASSERT_NE(bmp, nullptr) << path;
    select_palette(pal);  // for makecol8 in the comparison
    std::string first;
    EXPECT_EQ(mismatches(bmp, reference_picture(path, bmp->w, bmp->h), &first), 0)
        << path << " at depth " << depth << ", first difference " << first;
    unselect_palette();
    destroy_bitmap(bmp);
}

BITMAP* load_bytes(const bytes& file, RGB* palette) {
    return load_gif_packfile(algif_open_memory(file.data(), file.size()), palette);
}

bytes lzw_stream(const bytes& pixels, int min_size, bool clear_when_full, const std::vector<int>& tail) {
    const int clear = 1 << min_size;
    bytes data;
    uint32_t acc = 0;
    int nbits = 0, width = min_size + 1, next = clear + 2;
    auto put = [&](int code) {
        acc |= uint32_t(code) << nbits;
        for (nbits += width; nbits >= 8; nbits -= 8, acc >>= 8) data.push_back(acc & 0xFF);
    };
    put(clear);
    bool first = true;
    for (uint8_t p : pixels) {
        put(p);
        // The decoder adds an entry for every code but the one after a clear.
        if (!first && next < 4096) next++;
        if (next == 1 << width && width < 12) width++;
        first = false;
        if (next == 4096 && clear_when_full) {
            put(clear);
            width = min_size + 1;
            next = clear + 2;
            first = true;
        }
    }
    for (int code : tail) put(code);
    put(clear + 1);
    if (nbits > 0) data.push_back(acc & 0xFF);

    bytes out{uint8_t(min_size)};
    for (size_t i = 0; i < data.size(); i += 255) {
        size_t n = std::min<size_t>(255, data.size() - i);
        out.push_back(uint8_t(n));
        out.insert(out.end(), data.begin() + i, data.begin() + i + n);
    }
    out.push_back(0);
    return out;
}

gif_builder::gif_builder(int w, int h, int global_colours, const char* sig) : out(sig, sig + 6) {
    word(w).word(h);
    int bits = 0;
    while (global_colours > 2 << bits) bits++;
    out.push_back(global_colours ? uint8_t(0x80 | bits) : 0);
    out.push_back(0);  // background index
    out.push_back(0);  // aspect ratio
    colours(global_colours);
}

gif_builder& gif_builder::word(int v) { return raw({uint8_t(v & 0xFF), uint8_t(v >> 8)}); }

gif_builder& gif_builder::colours(int n) {
    for (int i = 0; i < n; i++) raw({uint8_t(3 * i), uint8_t(5 * i), uint8_t(7 * i)});
    return *this;
}

gif_builder& gif_builder::control(int disposal, int transparent, int size) {
    raw({0x21, 0xF9, uint8_t(size), uint8_t(disposal << 2 | (transparent >= 0))});
    word(10);
    raw({uint8_t(transparent >= 0 ? transparent : 0)});
    for (int i = 4; i < size; i++) raw({0});
    return raw({0});
}

gif_builder& gif_builder::image(int x, int y, int w, int h, const bytes& data, int local_colours,
                                bool interlaced) {
    raw({0x2C});
    word(x).word(y).word(w).word(h);
    int bits = 0;
    while (local_colours > 2 << bits) bits++;
    out.push_back(uint8_t((local_colours ? 0x80 | bits : 0) | (interlaced ? 0x40 : 0)));
    colours(local_colours);
    return raw(data);
}

gif_builder& gif_builder::raw(const bytes& b) {
    out.insert(out.end(), b.begin(), b.end());
    return *this;
}

bytes gif_builder::trailer() {
    raw({0x3B});
    return out;
}
