#include "cursor.h"

BITMAP* makeCursor() {
    BITMAP* c = create_bitmap(20, 20);
    if (!c) return nullptr;
    clear_to_color(c, makecol(255, 0, 255));
    const int verde[4] = {100, 150, 200, 255};
    for (int i = 0; i < 4; ++i) {
        line(c, i, i, 5 + i, 17 + i, makecol(0, verde[i], 0));
    }
    for (int i = 0; i < 4; ++i) {
        line(c, i, i, 17 + i, 5 + i, makecol(0, verde[i], 0));
    }
    circle(c, 20, 20, 11, makecol(0, 255, 0));
    circle(c, 20, 20, 9, makecol(0, 200, 0));
    circle(c, 20, 20, 7, makecol(0, 150, 0));
    circlefill(c, 10, 10, 1, makecol(0, 255, 0));
    return c;
}
