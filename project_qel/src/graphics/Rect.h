#pragma once
// Integer rectangles and points of image and texture space, y down.
#include "system/QelTypes.h"

struct Rect {
    i32 left = 0;
    i32 top = 0;
    i32 bottom = 0;
    i32 right = 0;

    constexpr i32 width() const { return right - left; }
    constexpr i32 height() const { return bottom - top; }
};

struct Point {
    i32 x = 0;
    i32 y = 0;
};
