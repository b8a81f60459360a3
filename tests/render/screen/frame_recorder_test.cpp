// The frame recorder: drawing noted as it is made, played back onto the
// real bitmap, with what it changed.
#include <gtest/gtest.h>

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

}  // namespace
