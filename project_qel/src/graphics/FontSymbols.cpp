#include "graphics/FontSymbols.h"

u16 nextFontSymbol(const UString& text, int& index)
{
    const u8 byte = static_cast<u8>(text[index]);
    if (byte != FONT_ESCAPE) {
        return byte;
    }
    const int last = static_cast<int>(text.size()) - 1;
    if (index + 2 > last) {
        index = last;
        return FONT_NO_SYMBOL;
    }
    const int value = (static_cast<u8>(text[index + 1]) & 0x7F) << 7 | (static_cast<u8>(text[index + 2]) & 0x7F);
    index += 2;
    const int symbol = 256 + value;
    return symbol < NUMSYMBOLS ? static_cast<u16>(symbol) : FONT_NO_SYMBOL;
}

int fontSplitIndex(const UString& text)
{
    const int length = static_cast<int>(text.size());
    const int middle = length / 2;
    auto opens = [&](int i) {
        const u8 b = static_cast<u8>(text[i]);
        return b == FONT_ESCAPE || (b & 0x80) == 0;
    };
    int cut = middle;
    if (middle < length && !opens(middle)) {
        int i = middle - 1;
        while (i > 0 && !opens(i)) {
            --i;
        }
        cut = i > 0 ? i : middle;
    }
    // Never inside an escape (its value bytes may have bit 7 clear): before
    // it, or after it when it opens the text.
    for (int i = 0; i < length; ++i) {
        const int start = i;
        nextFontSymbol(text, i);
        if (cut > start && cut <= i) {
            cut = start > 0 ? start : i + 1;
            break;
        }
        if (start >= cut) {
            break;
        }
    }
    return cut;
}

FontOffset fontFlagOffset(int flags, int width, int lineHeight, int capHeight)
{
    FontOffset offset;
    if (flags & 0x08) {
        offset.x -= static_cast<float>(width);
    }
    if (flags & 0x04) {
        offset.x -= static_cast<float>(width / 2);
    }
    if (flags & 0x10) {
        offset.y += static_cast<float>(lineHeight / 2);
    }
    if (flags & 0x20) {
        offset.y += static_cast<float>(lineHeight);
    }
    if (flags & 0x40) {
        offset.y += static_cast<float>(capHeight);
    }
    return offset;
}
