// Pictures written by ImageMagick and giflib, decoded by our reader and
// compared pixel by pixel with ImageMagick's own decoding.
#include <gtest/gtest.h>

#include <fstream>

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
    BITMAP* x = load_gif(a.c_str(), nullptr);
    BITMAP* y = load_gif(b.c_str(), nullptr);
    ASSERT_TRUE(x && y);
    int differ = 0;
    for (int r = 0; r < x->h; r++)
        for (int c = 0; c < x->w; c++) differ += getpixel(x, c, r) != getpixel(y, c, r);
    EXPECT_EQ(differ, 0);
    destroy_bitmap(x);
    destroy_bitmap(y);
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

}  // namespace
