#pragma once
// How the quad fonts read a text: bytes are symbols 0 to 255, the escape
// 0x1F b1 b2 reaches the symbols from 256 up, and the style marker 0x1E of
// the text layout is followed by eight bytes of markup. Measuring walks the
// symbols and sums their advances in whole units.
#include <algorithm>

#include "system/UString.h"

constexpr int NUMSYMBOLS = 1024;
constexpr u8 FONT_ESCAPE = 0x1F;
constexpr u8 FONT_STYLE_MARKER = 0x1E;
// The "{RRGGBB}" after a style marker.
constexpr int FONT_STYLE_LENGTH = 8;
// What an escape past the symbol table, or one cut off by the end of the
// text, reads as: a symbol that is never loaded (it draws nothing and
// advances like a space).
constexpr u16 FONT_NO_SYMBOL = NUMSYMBOLS;

// The symbol that starts at byte index. For an escape, index moves to the
// escape's last byte (to the text's last byte when the text ends inside
// it); callers step one byte on after each symbol.
u16 nextFontSymbol(const UString& text, int& index);

// Where a text too wide for one cache strip is cut in two: the middle, moved
// down so that bytes with bit 7 set stay with the escape or letter before
// them.
int fontSplitIndex(const UString& text);

struct TextSize {
    i32 width = 0;
    i32 height = 0;
};

// A symbol's advance (its glyph's width plus its spacing) and height.
struct SymbolExtent {
    i32 advance = 0;
    i32 height = 0;
};

// Sums the advances of the symbols of a text; height is the tallest symbol.
// With a limit, the walk stops at the first symbol that takes the width past
// it: *limit becomes the byte index where that symbol starts and the result
// leaves its advance out (but not its height).
template <typename ExtentOf>
TextSize measureSymbols(const UString& text, i32* limit, ExtentOf extentOf)
{
    TextSize size;
    const int length = static_cast<int>(text.size());
    for (int i = 0; i < length; ++i) {
        const int start = i;
        const SymbolExtent e = extentOf(nextFontSymbol(text, i));
        size.width += e.advance;
        size.height = std::max(size.height, e.height);
        if (limit && size.width > *limit) {
            *limit = start;
            size.width -= e.advance;
            return size;
        }
    }
    return size;
}

// Measures the runs between style markers with measureRun and adds their
// widths; each marker and the eight bytes after it take no room (a shorter
// tail at the end of the text is skipped as far as it goes).
template <typename MeasureRun>
TextSize measureMarkupRuns(const UString& text, MeasureRun measureRun)
{
    TextSize size;
    size_t from = 0;
    while (from < text.size()) {
        const size_t marker = text.find(static_cast<char>(FONT_STYLE_MARKER), from);
        const size_t end = marker == UString::npos ? text.size() : marker;
        const TextSize run = measureRun(UString(text, from, end - from));
        size.width += run.width;
        size.height = std::max(size.height, run.height);
        if (marker == UString::npos) {
            break;
        }
        from = std::min(text.size(), marker + 1 + FONT_STYLE_LENGTH);
    }
    return size;
}

// The offset that print flags give a line of the width: 0x08 ends it at the
// point, 0x04 centres it, 0x10 centres it vertically, 0x20 stands it on the
// point, 0x40 lowers it by the capital height. Set bits add up.
struct FontOffset {
    float x = 0.0f;
    float y = 0.0f;
};
FontOffset fontFlagOffset(int flags, int width, int lineHeight, int capHeight);
