#pragma once
// The bitmap debug font: white developer text drawn straight into the frame
// with OpenGL bitmaps, without textures, so that it works before any font
// image is loaded. 9 pixels high; codes 0 to 127, every byte of 128 or more
// drawn as glyph 127.
#include "object/QelBase.h"
#include "system/StringUtils.h"

class FontGDI : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    static constexpr int GLYPHS = 128;
    static constexpr int ROWS = 9;

    FontGDI() = default;
    ~FontGDI() override = default;

    void onQELmodeChange(int, int) override {}

    // printf-style text with its top-left corner at window pixel (x, y),
    // y growing downward. Leaves the modelview identity, the colour white
    // and texturing on.
    void print(int x, int y, const char* format, ...) QEL_PRINTF_FORMAT(4, 5);

    // Widths in pixels (1 to 5) and 9 rows per glyph, the bottom row first,
    // the leftmost pixel in the top bit; rows 0 and 1 lie below the baseline.
    static const i32 (&glyphWidths)[GLYPHS];
    static const u8 (&glyphBitmaps)[GLYPHS][ROWS];
};
