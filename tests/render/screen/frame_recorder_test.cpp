// The frame recorder: drawing noted as it is made, played back onto the
// real bitmap, with what it changed.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "apoio.h"
#include "screen/frame_recorder.h"

namespace {

// A call with no note of its own (a circle) goes straight into the bitmap,
// between the noted calls around it: the picture is what plain drawing
// makes, frame after frame, and it is shown whole.
TEST(FrameRecorder, ACallWithNoNoteIsDrawnInItsPlace) {
    Bitmap real(create_bitmap(800, 600)), direto(create_bitmap(800, 600));
    BITMAP* alvo = create_recording_target(real.get());
    ASSERT_NE(alvo, nullptr);
    for (int x : {300, 340, 340}) {
        for (BITMAP* b : {alvo, direto.get()}) {
            clear_to_color(b, makecol(0, 0, 90));
            rectfill(b, 100, 100, 500, 400, makecol(200, 0, 0));
            circlefill(b, x, 250, 80, makecol(0, 200, 0));
            rect(b, 290, 200, 420, 300, makecol(255, 255, 255));
        }
        const std::vector<screen_rect> partes = draw_recording(alvo);
        ASSERT_EQ(partes.size(), 1u);
        EXPECT_EQ(partes[0].w * partes[0].h, 800 * 600);
        EXPECT_EQ(diferencas(real.get(), direto.get()), 0) << "circle at " << x;
        record_onto(alvo, real.get());
    }
    destroy_recording_target(alvo);
}

// Each call the recorder notes draws what plain drawing does where it
// crosses the picture's edges, with its corners in either order, and
// changes nothing where it lies wholly outside.
TEST(FrameRecorder, NotedCallsDrawAsPlainDrawingAtTheEdges) {
    Bitmap real(create_bitmap(320, 200)), direto(create_bitmap(320, 200));
    Bitmap letra(create_bitmap_ex(8, 8, 8));
    clear_to_color(letra.get(), 0);
    rectfill(letra.get(), 2, 1, 5, 6, 1);
    BITMAP* alvo = create_recording_target(real.get());
    ASSERT_NE(alvo, nullptr);
    const std::vector<std::function<void(BITMAP*)>> chamadas = {
        [](BITMAP* b) { rectfill(b, 300, 190, -20, 150, makecol(200, 0, 0)); },
        [](BITMAP* b) { rect(b, 330, 40, 250, -5, makecol(0, 200, 0)); },
        [](BITMAP* b) { hline(b, 400, 10, -3, makecol(0, 0, 200)); },
        [](BITMAP* b) { rectfill(b, 330, 210, 400, 300, makecol(255, 255, 0)); },
        [](BITMAP* b) { putpixel(b, 0, 199, makecol(255, 255, 255)), putpixel(b, -1, 5, makecol(9, 9, 9)); },
        [&](BITMAP* b) { draw_character_ex(b, letra.get(), 316, -4, makecol(0, 255, 255), makecol(60, 0, 60)); },
        [](BITMAP* b) { rectfill(b, 330, -5, -5, 250, makecol(90, 90, 90)), putpixel(b, 3, 3, 0); },
    };
    for (std::size_t i = 0; i < chamadas.size(); ++i) {
        for (BITMAP* b : {alvo, direto.get()}) {
            clear_to_color(b, makecol(0, 0, 90));
            chamadas[i](b);
        }
        draw_recording(alvo);
        EXPECT_EQ(diferencas(real.get(), direto.get()), 0) << "call " << i;
    }
    destroy_recording_target(alvo);
}

}  // namespace
