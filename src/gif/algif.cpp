#include "algif.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "base/bitmap.h"

namespace {

// Every failure inside the parser unwinds to load_object through this.
struct bad_gif {};

int read_byte(PACKFILE* f) {
    int c = pack_getc(f);
    if (c == EOF) throw bad_gif{};
    return c;
}

int read_word(PACKFILE* f) {
    int lo = read_byte(f);
    return lo | read_byte(f) << 8;
}

void read_bytes(PACKFILE* f, void* dst, long n) {
    if (n > 0 && pack_fread(dst, n, f) != n) throw bad_gif{};
}

void read_colour_table(PACKFILE* f, gif_palette& pal, int flags) {
    pal.colors_count = 2 << (flags & 7);
    unsigned char rgb[256 * 3];
    read_bytes(f, rgb, pal.colors_count * 3);
    for (int i = 0; i < pal.colors_count; i++) {
        pal.colors[i].r = rgb[i * 3];
        pal.colors[i].g = rgb[i * 3 + 1];
        pal.colors[i].b = rgb[i * 3 + 2];
    }
}

// Skips data sub-blocks up to and including the zero-size terminator.
void skip_sub_blocks(PACKFILE* f, int size) {
    unsigned char buf[256];
    while (size != 0) {
        read_bytes(f, buf, size);
        size = read_byte(f);
    }
}

struct animation_deleter {
    void operator()(gif_animation* gif) const { algif_destroy_raw_animation(gif); }
};
using animation_ptr = std::unique_ptr<gif_animation, animation_deleter>;

bool sane_size(long w, long h) { return w > 0 && h > 0 && w * h <= kGifMaxPixels; }

void read_extension(PACKFILE* f, gif_animation& gif, gif_frame& next) {
    int label = read_byte(f);
    int size = read_byte(f);
    if (label == 0xF9) {
        if (size != 4) throw bad_gif{};
        int flags = read_byte(f);
        next.disposal_method = (flags >> 2) & 7;
        next.duration = read_word(f);
        int index = read_byte(f);
        if (flags & 1) next.transparent_index = index;
        size = read_byte(f);
    } else if (label == 0xFF && size == 11) {
        char name[11];
        read_bytes(f, name, 11);
        size = read_byte(f);
        if (std::memcmp(name, "NETSCAPE2.0", 11) == 0 && size == 3) {
            int id = read_byte(f);
            int count = read_word(f);
            gif.loop = id == 1 ? count : 0;
            size = read_byte(f);
        }
    }
    skip_sub_blocks(f, size);
}

// Display row of each stream row: passes at 0, 4, 2, 1 with steps 8, 8, 4, 2.
std::vector<int> interlaced_rows(int h) {
    std::vector<int> rows;
    rows.reserve(h);
    static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; pass++)
        for (int y = start[pass]; y < h; y += step[pass]) rows.push_back(y);
    return rows;
}

void read_image(PACKFILE* f, gif_animation& gif, gif_frame& frame, long& pixels_left) {
    frame.xoff = read_word(f);
    frame.yoff = read_word(f);
    int w = read_word(f);
    int h = read_word(f);
    if (!sane_size(w, h) || long(w) * h > pixels_left || gif.frames.size() == kGifMaxFrames) throw bad_gif{};
    pixels_left -= long(w) * h;
    Bitmap bmp(create_bitmap_ex(8, w, h));
    if (!bmp) throw bad_gif{};
    // Pixels the data leaves out (the end code came early) read as index 0.
    clear_bitmap(bmp.get());
    int flags = read_byte(f);
    if (flags & 0x80) read_colour_table(f, frame.palette, flags);
    std::vector<int> rows;
    if (flags & 0x40) rows = interlaced_rows(h);
    if (LZW_decode(f, bmp.get(), rows.empty() ? nullptr : rows.data()) != 0) throw bad_gif{};
    gif.frames.push_back(frame);
    gif.frames.back().bitmap_8_bit = bmp.release();
}

// Bit reader over the data sub-blocks of one image.
class code_reader {
public:
    explicit code_reader(PACKFILE* f) : f_(f) {}

    // The next `width`-bit code, or -1 when the data ends first.
    int read(int width) {
        while (nbits_ < width) {
            if (pos_ == len_ && !next_block()) return -1;
            bits_ |= uint32_t(buf_[pos_++]) << nbits_;
            nbits_ += 8;
        }
        int code = bits_ & ((1u << width) - 1);
        bits_ >>= width;
        nbits_ -= width;
        return code;
    }

    // Skips what is left of the data, through the block terminator.
    bool finish() {
        while (next_block()) {
        }
        return ended_;
    }

private:
    bool next_block() {
        if (ended_) return false;
        int size = pack_getc(f_);
        if (size == EOF) return false;
        if (size == 0) {
            ended_ = true;
            return false;
        }
        if (pack_fread(buf_, size, f_) != size) return false;
        pos_ = 0;
        len_ = size;
        return true;
    }

    PACKFILE* f_;
    unsigned char buf_[256];
    int pos_ = 0, len_ = 0;
    uint32_t bits_ = 0;
    int nbits_ = 0;
    bool ended_ = false;
};

// Sends decoded pixels to their rows, dropping those past the last row.
class pixel_sink {
public:
    pixel_sink(BITMAP* bmp, const int* row_order) : bmp_(bmp), rows_(row_order) {}

    void put(const uint8_t* p, int n) {
        while (n > 0 && y_ < bmp_->h) {
            int k = std::min(n, bmp_->w - x_);
            std::memcpy(bmp_->line[rows_ ? rows_[y_] : y_] + x_, p, k);
            p += k;
            n -= k;
            x_ += k;
            if (x_ == bmp_->w) {
                x_ = 0;
                y_++;
            }
        }
    }

private:
    BITMAP* bmp_;
    const int* rows_;
    int x_ = 0, y_ = 0;
};

constexpr int kTableSize = 4096;

// Through Allegro's own accessors, which write a pixel in the byte order the
// library was built for (24-bit pixels are high byte first on big-endian machines).
template <int Depth>
void plot_rows(BITMAP* bmp, BITMAP* src, const int* colour, int transparent, int dx, int dy, int x0, int x1,
               int y0, int y1) {
    for (int y = y0; y < y1; y++) {
        const uint8_t* in = src->line[y - dy];
        const uintptr_t out = reinterpret_cast<uintptr_t>(bmp->line[y]);
        for (int x = x0; x < x1; x++) {
            int i = in[x - dx];
            if (i == transparent) continue;
            if constexpr (Depth == 8)
                bmp_write8(out + x, static_cast<uint8_t>(colour[i]));
            else if constexpr (Depth == 16)
                bmp_write16(out + x * 2, static_cast<uint16_t>(colour[i]));
            else if constexpr (Depth == 24)
                bmp_write24(out + x * 3, colour[i]);
            else
                bmp_write32(out + x * 4, colour[i]);
        }
    }
}

}  // namespace

int LZW_decode(PACKFILE* f, BITMAP* bmp, const int* row_order) {
    int min_size = pack_getc(f);
    // Roots, clear and end code must leave room in the table.
    if (min_size < 1 || min_size > 11) return -1;
    const int clear = 1 << min_size, end = clear + 1;

    static thread_local uint16_t prefix[kTableSize];
    static thread_local uint8_t suffix[kTableSize], first[kTableSize];
    static thread_local uint16_t length[kTableSize];
    static thread_local uint8_t string[kTableSize + 1];
    for (int i = 0; i < clear; i++) {
        suffix[i] = first[i] = uint8_t(i);
        length[i] = 1;
    }

    code_reader in(f);
    pixel_sink out(bmp, row_order);
    int width = min_size + 1, next = clear + 2;
    // Decoding starts as if after a clear code, so a stream that leaves out
    // its first clear code loses no pixel.
    int prev = clear;
    for (;;) {
        int code = in.read(width);
        if (code < 0) return -1;
        if (code == clear) {
            width = min_size + 1;
            next = clear + 2;
            prev = clear;
            continue;
        }
        if (code == end) break;
        if (code > next || (code == next && prev == clear)) return -1;

        int n;
        if (code < next) {
            n = length[code];
            for (int c = code, i = n - 1; i >= 0; c = prefix[c], i--) string[i] = suffix[c];
        } else {
            // The code being defined: previous string plus its own first pixel.
            n = length[prev] + 1;
            for (int c = prev, i = n - 2; i >= 0; c = prefix[c], i--) string[i] = suffix[c];
            string[n - 1] = first[prev];
        }
        out.put(string, n);

        // A full table takes no more entries; 12-bit codes go on until the
        // encoder sends a clear code.
        if (prev != clear && next < kTableSize) {
            prefix[next] = uint16_t(prev);
            suffix[next] = string[0];
            first[next] = first[prev];
            length[next] = uint16_t(length[prev] + 1);
            next++;
        }
        // Tested after every data code, not only after a new entry: with a
        // minimum code size of 1 the next free code (4) already fills the
        // 2-bit codes right after a clear.
        if (next == 1 << width && width < 12) width++;
        prev = code;
    }
    return in.finish() ? 0 : -1;
}

gif_animation* load_object(PACKFILE* f) {
    if (!f) return nullptr;
    animation_ptr gif(new gif_animation);
    try {
        char sig[6];
        read_bytes(f, sig, 6);
        if (std::memcmp(sig, "GIF8", 4) != 0 || (sig[4] != '7' && sig[4] != '9') || sig[5] != 'a')
            throw bad_gif{};
        gif->width = read_word(f);
        gif->height = read_word(f);
        if (!sane_size(gif->width, gif->height)) throw bad_gif{};
        int flags = read_byte(f);
        gif->background_index = read_byte(f);
        read_byte(f);  // pixel aspect ratio
        if (flags & 0x80) read_colour_table(f, gif->palette, flags);

        long pixels_left = kGifMaxTotalPixels;
        gif_frame next;  // graphic control values wait here for their image
        for (;;) {
            switch (read_byte(f)) {
                case 0x21:
                    read_extension(f, *gif, next);
                    break;
                case 0x2C:
                    read_image(f, *gif, next, pixels_left);
                    next = gif_frame{};
                    break;
                case 0x3B:
                    pack_fclose(f);
                    return gif.release();
                default:
                    break;
            }
        }
    } catch (const bad_gif&) {
        pack_fclose(f);
        return nullptr;
    }
}

gif_animation* algif_load_raw_animation(const char* filename) {
    return load_object(pack_fopen(filename, F_READ));
}

void algif_destroy_raw_animation(gif_animation* gif) {
    if (!gif) return;
    for (gif_frame& frame : gif->frames) destroy_bitmap(frame.bitmap_8_bit);
    if (gif->store) destroy_bitmap(gif->store);
    delete gif;
}

void algif_render_frame(gif_animation* gif, BITMAP* bmp, int f, int x, int y) {
    const int mask = bitmap_mask_color(bmp);
    if (f == 0) {
        rectfill(bmp, x, y, x + gif->width - 1, y + gif->height - 1, mask);
    } else {
        const gif_frame& prev = gif->frames[f - 1];
        if (prev.disposal_method == 2) {
            rectfill(bmp, x + prev.xoff, y + prev.yoff, x + prev.xoff + prev.bitmap_8_bit->w - 1,
                     y + prev.yoff + prev.bitmap_8_bit->h - 1, mask);
        } else if (prev.disposal_method == 3 && gif->store) {
            blit(gif->store, bmp, 0, 0, x + prev.xoff, y + prev.yoff, gif->store->w, gif->store->h);
            destroy_bitmap(gif->store);
            gif->store = nullptr;
        }
    }

    const gif_frame& frame = gif->frames[f];
    BITMAP* src = frame.bitmap_8_bit;
    const int depth = bitmap_color_depth(bmp);
    const int fx = x + frame.xoff, fy = y + frame.yoff;
    if (frame.disposal_method == 3) {
        if (gif->store) destroy_bitmap(gif->store);
        gif->store = create_bitmap_ex(depth, src->w, src->h);
        if (gif->store) {
            clear_to_color(gif->store, bitmap_mask_color(gif->store));
            blit(bmp, gif->store, fx, fy, 0, 0, src->w, src->h);
        }
    }

    const gif_palette& pal = frame.palette.colors_count ? frame.palette : gif->palette;
    // Indices past the table's count are black, as its unread entries are.
    int colour[256];
    for (int i = 0; i < pal.colors_count; i++)
        colour[i] = makecol_depth(depth, pal.colors[i].r, pal.colors[i].g, pal.colors[i].b);
    std::fill(colour + pal.colors_count, colour + 256, makecol_depth(depth, 0, 0, 0));

    // The frame's rectangle, cut to the bitmap and its clipping rectangle.
    int x0 = std::max(fx, 0), y0 = std::max(fy, 0);
    int x1 = std::min(fx + src->w, bmp->w), y1 = std::min(fy + src->h, bmp->h);
    if (bmp->clip) {
        x0 = std::max(x0, bmp->cl);
        y0 = std::max(y0, bmp->ct);
        x1 = std::min(x1, bmp->cr);
        y1 = std::min(y1, bmp->cb);
    }
    if (x0 >= x1 || y0 >= y1) return;

    const int t = frame.transparent_index;
    if (!is_memory_bitmap(bmp)) {
        for (int py = y0; py < y1; py++)
            for (int px = x0; px < x1; px++) {
                int i = src->line[py - fy][px - fx];
                if (i != t) putpixel(bmp, px, py, colour[i]);
            }
        return;
    }
    switch (depth) {
        case 8:
            plot_rows<8>(bmp, src, colour, t, fx, fy, x0, x1, y0, y1);
            break;
        case 15:
        case 16:
            plot_rows<16>(bmp, src, colour, t, fx, fy, x0, x1, y0, y1);
            break;
        case 24:
            plot_rows<24>(bmp, src, colour, t, fx, fy, x0, x1, y0, y1);
            break;
        default:
            plot_rows<32>(bmp, src, colour, t, fx, fy, x0, x1, y0, y1);
            break;
    }
}

BITMAP* load_gif_packfile(PACKFILE* file, RGB* palette) {
    animation_ptr gif(load_object(file));
    if (!gif || gif->frames.empty()) return nullptr;

    const gif_palette& pal = gif->palette.colors_count ? gif->palette : gif->frames[0].palette;
    PALETTE own;
    if (!palette) palette = own;
    for (int i = 0; i < 256; i++) {
        bool used = i < pal.colors_count;
        palette[i].r = used ? pal.colors[i].r >> 2 : 0;
        palette[i].g = used ? pal.colors[i].g >> 2 : 0;
        palette[i].b = used ? pal.colors[i].b >> 2 : 0;
    }

    BITMAP* bmp = create_bitmap(gif->width, gif->height);
    if (!bmp) return nullptr;
    select_palette(palette);
    for (size_t f = 0; f < gif->frames.size(); f++) algif_render_frame(gif.get(), bmp, int(f), 0, 0);
    unselect_palette();
    return bmp;
}

BITMAP* load_gif(const char* filename, RGB* palette) {
    return load_gif_packfile(pack_fopen(filename, F_READ), palette);
}

namespace {

struct memory_source {
    const unsigned char* data;
    long size, pos;
};

memory_source* src_of(void* userdata) { return static_cast<memory_source*>(userdata); }

int mem_fclose(void* userdata) {
    delete src_of(userdata);
    return 0;
}

int mem_getc(void* userdata) {
    memory_source* m = src_of(userdata);
    return m->pos < m->size ? m->data[m->pos++] : EOF;
}

int mem_ungetc(int c, void* userdata) {
    memory_source* m = src_of(userdata);
    if (m->pos == 0 || m->data[m->pos - 1] != c) return EOF;
    m->pos--;
    return c;
}

long mem_fread(void* p, long n, void* userdata) {
    memory_source* m = src_of(userdata);
    n = std::max(0L, std::min(n, m->size - m->pos));
    if (n == 0) return 0;  // an empty source may have no data pointer at all
    std::memcpy(p, m->data + m->pos, n);
    m->pos += n;
    return n;
}

int mem_putc(int, void*) { return EOF; }

long mem_fwrite(const void*, long, void*) { return 0; }

int mem_fseek(void* userdata, int offset) {
    memory_source* m = src_of(userdata);
    if (offset < 0 || offset > m->size - m->pos) return -1;
    m->pos += offset;
    return 0;
}

int mem_feof(void* userdata) { return src_of(userdata)->pos >= src_of(userdata)->size; }

int mem_ferror(void*) { return 0; }

const PACKFILE_VTABLE memory_vtable = {mem_fclose, mem_getc,  mem_ungetc, mem_fread, mem_putc,
                                       mem_fwrite, mem_fseek, mem_feof,   mem_ferror};

}  // namespace

PACKFILE* algif_open_memory(const void* data, std::size_t size) {
    auto* m = new memory_source{static_cast<const unsigned char*>(data), long(size), 0};
    PACKFILE* f = pack_fopen_vtable(&memory_vtable, m);
    if (!f) delete m;
    return f;
}
