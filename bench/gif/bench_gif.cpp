// Our load_gif against giflib on the same files, in the same run: giflib
// decodes with DGifSlurp and its indices go through the colour table into
// 32-bit pixels, which is what load_gif hands back.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "gif/algif.h"

namespace {

std::string picture(const char* name) { return std::string(ZEPKO_BENCH_DIR "/") + name; }

void ours(benchmark::State& state, const char* name) {
    const std::string path = picture(name);
    for (auto _ : state) {
        BITMAP* bmp = load_gif(path.c_str(), nullptr);
        if (!bmp) {
            state.SkipWithError("load_gif failed");
            break;
        }
        benchmark::DoNotOptimize(bmp->line[0][0]);
        destroy_bitmap(bmp);
    }
}

void giflib(benchmark::State& state, const char* name) {
    const std::string path = picture(name);
    for (auto _ : state) {
        int error = 0;
        GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
        if (!gif || DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) {
            state.SkipWithError("giflib failed");
            break;
        }
        const SavedImage& image = gif->SavedImages[0];
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        GraphicsControlBlock gcb;
        int transparent = DGifSavedExtensionToGCB(gif, 0, &gcb) == GIF_OK ? gcb.TransparentColor : -1;
        uint32_t colour[256] = {};
        for (int i = 0; i < map->ColorCount; i++)
            colour[i] = map->Colors[i].Red << 16 | map->Colors[i].Green << 8 | map->Colors[i].Blue;
        const int w = gif->SWidth, left = image.ImageDesc.Left, top = image.ImageDesc.Top;
        std::vector<uint32_t> pixels(size_t(w) * gif->SHeight, 0xFF00FF);
        for (int y = 0; y < image.ImageDesc.Height; y++) {
            const GifByteType* in = image.RasterBits + size_t(y) * image.ImageDesc.Width;
            uint32_t* out = &pixels[size_t(top + y) * w + left];
            for (int x = 0; x < image.ImageDesc.Width; x++)
                if (in[x] != transparent) out[x] = colour[in[x]];
        }
        benchmark::DoNotOptimize(pixels.data());
        DGifCloseFile(gif, &error);
    }
}

BENCHMARK_CAPTURE(ours, screen_640x480, "tela.gif");
BENCHMARK_CAPTURE(giflib, screen_640x480, "tela.gif");
BENCHMARK_CAPTURE(ours, sprite_40x40, "sprite.gif");
BENCHMARK_CAPTURE(giflib, sprite_40x40, "sprite.gif");

}  // namespace

int main(int argc, char** argv) {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(32);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
