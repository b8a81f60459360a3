// An inclusive hit rectangle in screen pixels, shared by menus and play.
#pragma once

struct Retangulo {
    int x1, y1, x2, y2;
    constexpr bool contem(int x, int y) const {
        return x >= x1 && x <= x2 && y >= y1 && y <= y2;
    }
};
