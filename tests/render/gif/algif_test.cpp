// The GIF reader. Pictures written by ImageMagick and giflib, decoded by it
// and compared pixel by pixel with ImageMagick's own decoding; then files
// built byte by byte: the header rules, the palette, and damaged or hostile
// data, which must give null or a sound picture and never a crash.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "apoio.h"
#include "apoio_gif.h"
#include "gif/algif.h"

namespace {

std::string plasma(int w, int h, int colours, const std::string& extra = "") {
    std::string path = scratch("plasma" + std::to_string(w) + "x" + std::to_string(h) + "c" +
                               std::to_string(colours) + ".gif");
    convert("-seed 7 -size " + std::to_string(w) + "x" + std::to_string(h) + " plasma:fractal -colors " +
            std::to_string(colours) + " " + extra + " '" + path + "'");
    return path;
}

// giflib's gifbuild turns a text description into a GIF file.
std::string gifbuild(const std::string& name, const std::string& text) {
    std::string txt = scratch(name + ".txt"), gif = scratch(name);
    std::ofstream(txt) << text;
    run(std::string(ZEPKO_GIFBUILD) + " '" + txt + "' > '" + gif + "'");
    return gif;
}

const char* kFourColours =
    "screen width 8\nscreen height 6\nscreen map\n"
    " rgb 0 0 0 is a\n rgb 255 0 0 is b\n rgb 0 255 0 is c\n rgb 0 0 255 is d\nend\n";

// Three overlapping frames; the first two are disposed of by `disposal`.
std::string animation(int disposal) {
    const std::string d = std::to_string(disposal);
    std::string text = kFourColours;
    text += "graphics control\n disposal mode " + d + "\n transparent index 0\nend\n";
    text += "image\nimage left 1\nimage top 1\nimage bits 4 by 3\nbbbb\nbacb\nbbbb\n";
    text += "graphics control\n disposal mode " + d + "\nend\n";
    text += "image\nimage left 3\nimage top 2\nimage bits 5 by 4\nccccc\ncaaac\ncdddc\nccccc\n";
    text += "image\nimage left 0\nimage top 0\nimage bits 2 by 2\ndd\nda\n";
    return gifbuild("anim" + d + ".gif", text);
}

TEST(GifConformance, SizesAndColourCounts) {
    struct {
        int w, h, colours;
    } cases[] = {{1, 1, 2}, {1, 7, 2}, {13, 1, 16}, {3, 5, 16}, {37, 23, 256}, {64, 48, 256}, {255, 3, 16}};
    for (auto c : cases) expect_same_as_reference(plasma(c.w, c.h, c.colours));
}

TEST(GifConformance, NoisyPictureFillsTheCodeTable) {
    std::string path = scratch("noise.gif");
    convert("-seed 3 -size 320x240 xc: +noise Random -colors 256 '" + path + "'");
    ASSERT_GT(read_file(path).size(), 60000u);  // far more codes than one table holds
    expect_same_as_reference(path);
}

TEST(GifConformance, Gif87aAndGif89aGiveTheSameBitmap) {
    std::string a = plasma(30, 20, 16, ""), b = scratch("same87.gif");
    convert("'" + a + "' 'gif87:" + b + "'");
    ASSERT_EQ(read_file(b)[4], '7');
    ASSERT_EQ(read_file(a)[4], '9');
    Bitmap x(load_gif(a.c_str(), nullptr)), y(load_gif(b.c_str(), nullptr));
    ASSERT_TRUE(x && y);
    EXPECT_EQ(diferencas(x.get(), y.get()), 0);
    expect_same_as_reference(b);
}

TEST(GifConformance, TransparentPixelsHoldTheMaskColour) {
    std::string path = scratch("transparent.gif");
    convert("-size 40x30 xc:white -fill blue -draw 'circle 20,15 20,3' -transparent white '" + path + "'");
    expect_same_as_reference(path);
    BITMAP* bmp = load_gif(path.c_str(), nullptr);
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(getpixel(bmp, 0, 0), bitmap_mask_color(bmp));
    EXPECT_EQ(getpixel(bmp, 20, 15), makecol(0, 0, 255));
    destroy_bitmap(bmp);
}

TEST(GifConformance, InterlacedRowsComeOutInDisplayOrder) {
    std::string path = plasma(23, 37, 256, "-interlace GIF");
    run(std::string(ZEPKO_GIFTEXT) + " '" + path + "' | grep -q 'Image is Interlaced'");
    expect_same_as_reference(path);
    expect_same_as_reference(gifbuild("interlaced.gif", std::string(kFourColours) +
                                                            "image\nimage interlaced\nimage bits 8 by 6\n"
                                                            "aaaaaaaa\nbbbbbbbb\ncccccccc\n"
                                                            "dddddddd\nabababab\ncdcdcdcd\n"));
}

TEST(GifConformance, EveryDisposalMethod) {
    for (int disposal : {0, 1, 2, 3}) expect_same_as_reference(animation(disposal));
    // ImageMagick's own encoder, restoring to the previous picture.
    std::string path = scratch("restore.gif");
    convert(
        "-size 30x20 -dispose None -delay 10 xc:red -dispose Previous -page +5+5 -size 10x10 xc:blue "
        "-dispose None -page +12+2 -size 6x6 xc:lime '" +
        path + "'");
    expect_same_as_reference(path);
}

TEST(GifConformance, OtherColourDepths) {
    std::string still = plasma(37, 23, 256), moving = animation(2);
    for (int depth : {8, 15, 16, 24}) {
        expect_same_as_reference(still, depth);
        expect_same_as_reference(moving, depth);
    }
}

TEST(GifConformance, LocalTablesOnly) {
    bytes first = {0, 1, 1, 0, 1, 1, 0, 0, 1};
    bytes second = {2, 3, 3, 2};
    // With transparent pixels in the file, ImageMagick leaves the uncovered
    // pixels transparent too, as we do.
    bytes file = gif_builder(4, 4)
                     .control(0, 0)
                     .image(0, 0, 3, 3, lzw_stream(first, 2), 2)
                     .image(2, 2, 2, 2, lzw_stream(second, 2), 4)
                     .trailer();
    std::string path = write_file("local.gif", file);
    expect_same_as_reference(path);
    PALETTE pal;
    BITMAP* bmp = load_gif(path.c_str(), pal);
    ASSERT_NE(bmp, nullptr);
    // The palette comes from the first image's table: colour i is (3i, 5i, 7i).
    EXPECT_EQ(pal[1].r, 3 >> 2);
    EXPECT_EQ(pal[1].g, 5 >> 2);
    EXPECT_EQ(pal[1].b, 7 >> 2);
    destroy_bitmap(bmp);
}

TEST(GifConformance, RawAnimationKeepsTimingAndLoopCount) {
    std::string path =
        gifbuild("loop.gif", std::string("netscape loop 5\n") + kFourColours +
                                 "graphics control\n disposal mode 3\n delay 25\n"
                                 " transparent index 2\nend\n"
                                 "image\nimage bits 2 by 1\nab\n"
                                 "image\nimage left 4\nimage top 3\nimage bits 1 by 2\nc\nd\n");
    gif_animation* gif = algif_load_raw_animation(path.c_str());
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->loop, 5);
    EXPECT_EQ(gif->width, 8);
    ASSERT_EQ(gif->frames.size(), 2u);
    EXPECT_EQ(gif->frames[0].duration, 25);
    EXPECT_EQ(gif->frames[0].disposal_method, 3);
    EXPECT_EQ(gif->frames[0].transparent_index, 2);
    // Graphic control values apply to the next image only.
    EXPECT_EQ(gif->frames[1].duration, 0);
    EXPECT_EQ(gif->frames[1].disposal_method, 0);
    EXPECT_EQ(gif->frames[1].transparent_index, -1);
    EXPECT_EQ(gif->frames[1].xoff, 4);
    EXPECT_EQ(gif->frames[1].yoff, 3);
    algif_destroy_raw_animation(gif);
}


bytes random_indices(size_t n, int colours, unsigned seed) {
    std::mt19937 rng(seed);
    bytes px(n);
    for (auto& p : px) p = uint8_t(rng() % colours);
    return px;
}

// The picture's indices, read back through the colours of gif_builder.
bytes indices_of(BITMAP* bmp) {
    bytes out;
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++) {
            int c = getpixel(bmp, x, y);
            out.push_back(c == bitmap_mask_color(bmp) ? 0xFF : uint8_t(getr(c) / 3));
        }
    return out;
}

bytes one_image(const char* sig = "GIF89a") {
    return gif_builder(3, 2, 4, sig)
        .control(0, 1)
        .image(0, 0, 3, 2, lzw_stream({0, 1, 2, 3, 2, 1}, 2))
        .trailer();
}

TEST(GifHeader, SignatureMustBeGif87aOrGif89a) {
    for (const char* sig : {"GIF87a", "GIF89a"}) {
        BITMAP* bmp = load_bytes(one_image(sig));
        ASSERT_NE(bmp, nullptr) << sig;
        EXPECT_EQ(indices_of(bmp), (bytes{0, 0xFF, 2, 3, 2, 0xFF}));
        destroy_bitmap(bmp);
    }
    for (const char* sig : {"GIF88a", "GIF89b", "gif89a", "JIF89a"})
        EXPECT_EQ(load_bytes(one_image(sig)), nullptr) << sig;
}

TEST(GifHeader, GraphicControlBlockMustHoldFourBytes) {
    for (int size : {0, 3, 5, 255}) {
        bytes file =
            gif_builder(3, 2, 4).control(0, 1, size).image(0, 0, 3, 2, lzw_stream(bytes(6, 1), 2)).trailer();
        EXPECT_EQ(load_bytes(file), nullptr) << size;
    }
}

TEST(GifHeader, FileWithoutImagesIsRefused) {
    EXPECT_EQ(load_bytes(gif_builder(3, 2, 4).trailer()), nullptr);
    EXPECT_EQ(load_bytes(gif_builder(3, 2, 4).control(2, 1).trailer()), nullptr);
}

TEST(GifPalette, SixBitValuesAndBlackBeyondTheColourCount) {
    bytes file = gif_builder(1, 1)
                     .raw({0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x81, 255, 128, 4, 9, 9, 9, 1, 2, 3, 4, 5, 6})
                     .raw(lzw_stream({0}, 2))
                     .trailer();
    PALETTE pal;
    for (auto& c : pal) c = {50, 50, 50, 0};
    BITMAP* bmp = load_bytes(file, pal);
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(pal[0].r, 63);
    EXPECT_EQ(pal[0].g, 32);
    EXPECT_EQ(pal[0].b, 1);
    EXPECT_EQ(pal[1].r, 2);
    for (int i = 4; i < 256; i++) EXPECT_TRUE(pal[i].r == 0 && pal[i].g == 0 && pal[i].b == 0) << i;
    EXPECT_EQ(getpixel(bmp, 0, 0), makecol(255, 128, 4));
    destroy_bitmap(bmp);
}

TEST(GifDecoder, MinimumCodeSizeTheTableCannotHoldIsRefused) {
    for (int size : {0, 12, 13, 255}) {
        bytes data = lzw_stream({1, 1}, 2);
        data[0] = uint8_t(size);
        EXPECT_EQ(load_bytes(gif_builder(2, 1, 4).image(0, 0, 2, 1, data).trailer()), nullptr) << size;
    }
    for (int size : {2, 5, 8}) {
        BITMAP* bmp = load_bytes(gif_builder(2, 1, 4).image(0, 0, 2, 1, lzw_stream({1, 3}, size)).trailer());
        ASSERT_NE(bmp, nullptr) << size;
        EXPECT_EQ(indices_of(bmp), (bytes{1, 3}));
        destroy_bitmap(bmp);
    }
}

TEST(GifDecoder, MinimumCodeSizeOneDecodesAsGiflibDoes) {
    // Written out code by code, with the widths giflib's decoder reads: the
    // first data code after the clear already widens the codes to 3 bits
    // (next free code 4 = 1 << 2), and entry 8 widens them to 4.
    const int codes[][2] = {{2, 2}, {0, 2}, {1, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 4}, {9, 4}, {3, 4}};
    bytes data;
    uint32_t acc = 0;
    int nbits = 0;
    for (auto [code, width] : codes)
        for (acc |= uint32_t(code) << nbits, nbits += width; nbits >= 8; nbits -= 8, acc >>= 8)
            data.push_back(uint8_t(acc));
    if (nbits > 0) data.push_back(uint8_t(acc));
    data.insert(data.begin(), {1, uint8_t(data.size())});
    data.push_back(0);
    const int w = 16;  // the data codes give 1 + 1 + 2 + 2 + 3 + 3 + 4 pixels
    std::string path = write_file("size1.gif", gif_builder(w, 1, 2).image(0, 0, w, 1, data).trailer());

    int error = 0;
    GifFileType* ref = DGifOpenFileName(path.c_str(), &error);
    ASSERT_NE(ref, nullptr);
    ASSERT_EQ(DGifSlurp(ref), GIF_OK);
    bytes want(ref->SavedImages[0].RasterBits, ref->SavedImages[0].RasterBits + w);
    DGifCloseFile(ref, &error);

    gif_animation* gif = algif_load_raw_animation(path.c_str());
    ASSERT_NE(gif, nullptr);
    BITMAP* frame = gif->frames[0].bitmap_8_bit;
    EXPECT_EQ(bytes(frame->line[0], frame->line[0] + w), want);
    algif_destroy_raw_animation(gif);
}

TEST(GifDecoder, CodeAboveTheNextFreeCodeIsRefused) {
    // Codes of 3 bits: clear (4), 1, then 7 while the next free code is 6.
    bytes data = {2, 2, 4 | 1 << 3 | (7 & 3) << 6, 7 >> 2, 0};
    EXPECT_EQ(load_bytes(gif_builder(2, 1, 4).image(0, 0, 2, 1, data).trailer()), nullptr);
    // The next free code straight after a clear has no string to build on:
    // clear, 6, end.
    bytes after_clear = {2, 2, 4 | 6 << 3 | (5 & 3) << 6, 5 >> 2, 0};
    EXPECT_EQ(load_bytes(gif_builder(2, 1, 4).image(0, 0, 2, 1, after_clear).trailer()), nullptr);
}

TEST(GifDecoder, FullTableWaitsForTheEncodersClear) {
    bytes px = random_indices(200 * 100 - 4, 256, 1);
    for (bool clear_when_full : {true, false}) {
        // Without a clear, the table's last entries stay usable as 12-bit codes.
        std::vector<int> tail = {4095, 4000};
        bytes file =
            gif_builder(200, 100, 256)
                .image(0, 0, 200, 100,
                       lzw_stream(px, 8, clear_when_full, clear_when_full ? std::vector<int>{} : tail))
                .trailer();
        gif_animation* gif = load_object(algif_open_memory(file.data(), file.size()));
        ASSERT_NE(gif, nullptr) << clear_when_full;
        BITMAP* frame = gif->frames[0].bitmap_8_bit;
        bytes got;
        for (int y = 0; y < frame->h; y++) got.insert(got.end(), frame->line[y], frame->line[y] + frame->w);
        bytes want = px;
        if (clear_when_full)
            want.insert(want.end(), 4, 0);  // not in the data: index 0
        else
            want.insert(want.end(), {px[4095 - 258], px[4095 - 257], px[4000 - 258], px[4000 - 257]});
        EXPECT_EQ(got, want) << clear_when_full;
        algif_destroy_raw_animation(gif);
    }
}

TEST(GifDecoder, StreamWithoutLeadingClearCodeKeepsItsFirstPixel) {
    // 3-bit codes 1, 2, 3, then the end code in 4 bits, with no clear code.
    bytes data = {2, 2, 1 | 2 << 3 | (3 & 3) << 6, 3 >> 2 | 5 << 1, 0};
    BITMAP* bmp = load_bytes(gif_builder(3, 1, 4).image(0, 0, 3, 1, data).trailer());
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(indices_of(bmp), (bytes{1, 2, 3}));
    destroy_bitmap(bmp);
}

TEST(GifDecoder, DataAfterTheEndCodeIsSkippedWhole) {
    bytes data = lzw_stream({1, 2}, 2);
    // An extra sub-block after the end code, holding block-like bytes.
    data.insert(data.end() - 1, {4, 0x2C, 0x21, 0x3B, 0xF9});
    BITMAP* bmp = load_bytes(gif_builder(2, 1, 4).image(0, 0, 2, 1, data).trailer());
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(indices_of(bmp), (bytes{1, 2}));
    destroy_bitmap(bmp);
}

TEST(GifDecoder, DataEndingBeforeItsEndCodeIsRefused) {
    bytes data = {2, 1, 4 | 1 << 3, 0};  // clear, 1, then the terminator
    EXPECT_EQ(load_bytes(gif_builder(4, 1, 4).image(0, 0, 4, 1, data).trailer()), nullptr);
}

TEST(GifDamage, EveryTruncatedFileIsRefused) {
    bytes file =
        gif_builder(20, 10, 16)
            .raw({0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0})
            .control(2, 3)
            .image(0, 0, 20, 10, lzw_stream(random_indices(200, 16, 2), 4))
            .control(3)
            .image(5, 2, 8, 8, lzw_stream(random_indices(64, 4, 3), 2), 4, true)
            .trailer();
    BITMAP* whole = load_bytes(file);
    ASSERT_NE(whole, nullptr);
    destroy_bitmap(whole);
    for (size_t n = 0; n < file.size(); n++) {
        bytes cut(file.begin(), file.begin() + n);
        EXPECT_EQ(load_bytes(cut), nullptr) << n << " of " << file.size() << " bytes";
    }
}

TEST(GifDamage, AbsurdSizesAreRefused) {
    EXPECT_EQ(load_bytes(gif_builder(65535, 65535, 4).image(0, 0, 1, 1, lzw_stream({1}, 2)).trailer()),
              nullptr);
    EXPECT_EQ(load_bytes(gif_builder(0, 5, 4).image(0, 0, 1, 1, lzw_stream({1}, 2)).trailer()), nullptr);
    EXPECT_EQ(load_bytes(gif_builder(4, 4, 4).image(0, 0, 65535, 65535, lzw_stream({1}, 2)).trailer()),
              nullptr);
    // Each image is allowed, their sum is not.
    gif_builder many(8, 8, 4);
    for (int i = 0; i < 5; i++) many.image(0, 0, 4096, 4096, lzw_stream({1}, 2));
    EXPECT_EQ(load_bytes(many.trailer()), nullptr);
    // Tiny images, but too many of them.
    bytes dot = lzw_stream({1}, 2);
    gif_builder most(8, 8, 4), too_many(8, 8, 4);
    for (int i = 0; i < kGifMaxFrames; i++) most.image(0, 0, 1, 1, dot), too_many.image(0, 0, 1, 1, dot);
    too_many.image(0, 0, 1, 1, dot);
    BITMAP* bmp = load_bytes(most.trailer());
    EXPECT_NE(bmp, nullptr);
    if (bmp) destroy_bitmap(bmp);
    EXPECT_EQ(load_bytes(too_many.trailer()), nullptr);
}

TEST(GifDamage, ImagesReachingPastTheScreenAreCut) {
    bytes file = gif_builder(4, 3, 4)
                     .image(0, 0, 9, 5, lzw_stream(bytes(45, 1), 2))
                     .control(2)
                     .image(2, 1, 6, 6, lzw_stream(bytes(36, 2), 2))
                     .image(3, 2, 65000, 3, lzw_stream(bytes(12, 3), 2))
                     .trailer();
    BITMAP* bmp = load_bytes(file);
    ASSERT_NE(bmp, nullptr);
    ASSERT_EQ(bmp->w, 4);
    ASSERT_EQ(bmp->h, 3);
    // The second image was disposed of by filling its part of the screen.
    EXPECT_EQ(indices_of(bmp), (bytes{1, 1, 1, 1, 1, 1, 0xFF, 0xFF, 1, 1, 0xFF, 3}));
    destroy_bitmap(bmp);
}

TEST(GifRender, ClippingRectangleAndNegativePositionsAreKept) {
    bytes file = gif_builder(4, 4, 4).image(0, 0, 4, 4, lzw_stream(bytes(16, 2), 2)).trailer();
    gif_animation* gif = load_object(algif_open_memory(file.data(), file.size()));
    ASSERT_NE(gif, nullptr);
    for (int depth : {8, 16, 24, 32}) {
        BITMAP* bmp = create_bitmap_ex(depth, 6, 6);
        clear_to_color(bmp, 7);
        set_clip_rect(bmp, 1, 0, 5, 4);
        algif_render_frame(gif, bmp, 0, -2, -1);
        int drawn = 0, untouched = 0;
        for (int y = 0; y < 6; y++)
            for (int x = 0; x < 6; x++) {
                bool inside = x >= 1 && x <= 1 && y <= 2;
                int c = getpixel(bmp, x, y);
                drawn += inside && c == makecol_depth(depth, 6, 10, 14);
                untouched += !inside && c == 7;
            }
        EXPECT_EQ(drawn, 3) << depth;
        EXPECT_EQ(untouched, 33) << depth;
        destroy_bitmap(bmp);
    }
    algif_destroy_raw_animation(gif);
}

}  // namespace
