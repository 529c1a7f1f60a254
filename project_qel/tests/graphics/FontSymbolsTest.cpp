#include "graphics/FontSymbols.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<u16> symbolsOf(const UString& text)
{
    std::vector<u16> symbols;
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        symbols.push_back(nextFontSymbol(text, i));
    }
    return symbols;
}

UString bytes(std::initializer_list<int> list)
{
    UString text;
    for (int b : list) {
        text += static_cast<char>(b);
    }
    return text;
}

// Advance 12 for 'W', 7 for every other byte symbol, 10 for escaped symbols,
// 4 (a space) for symbols never loaded; heights 20, 15, 30 and 0.
SymbolExtent extent(u16 s)
{
    if (s == 'W') {
        return {12, 20};
    }
    if (s >= NUMSYMBOLS) {
        return {4, 0};
    }
    return s >= 256 ? SymbolExtent{10, 30} : SymbolExtent{7, 15};
}

TextSize measure(const UString& text, i32* limit = nullptr) { return measureSymbols(text, limit, extent); }

} // namespace

TEST(FontSymbols, BytesAreSymbolsEscapesReachFrom256AndBadEscapesReadAsNeverLoaded)
{
    EXPECT_EQ(symbolsOf(bytes({'A', 0xE9, 0x1E, 0x7F})), (std::vector<u16>{'A', 0xE9, 0x1E, 0x7F}));
    // 0x1F, b1, b2: 256 + ((b1 & 0x7F) << 7 | (b2 & 0x7F)); bit 7 ignored.
    EXPECT_EQ(symbolsOf(bytes({0x1F, 0x80, 0x81, 'x'})), (std::vector<u16>{257, 'x'}));
    EXPECT_EQ(symbolsOf(bytes({0x1F, 0x85, 0x7F})), (std::vector<u16>{1023}));
    int index = 1;
    EXPECT_EQ(nextFontSymbol(bytes({'a', 0x1F, 0, 3, 'b'}), index), 259);
    EXPECT_EQ(index, 3) << "the index rests on the escape's last byte";

    // Value 768 and the largest value, 16383, lie past symbol 1023.
    EXPECT_EQ(symbolsOf(bytes({0x1F, 0x86, 0x80, 'x'})), (std::vector<u16>{FONT_NO_SYMBOL, 'x'}));
    EXPECT_EQ(symbolsOf(bytes({0x1F, 0xFF, 0xFF})), (std::vector<u16>{FONT_NO_SYMBOL}));
    // Cut escapes: the walk ends with the text instead of reading past it.
    EXPECT_EQ(symbolsOf(bytes({'a', 0x1F})), (std::vector<u16>{'a', FONT_NO_SYMBOL}));
    EXPECT_EQ(symbolsOf(bytes({'a', 0x1F, 0x81})), (std::vector<u16>{'a', FONT_NO_SYMBOL}));
    EXPECT_EQ(measure(bytes({'a', 0x1F, 0x81})).width, 7 + 4);
}

TEST(FontSymbols, MeasuringSumsAdvancesStopsAtTheLimitAndSkipsMarkup)
{
    EXPECT_EQ(measure("").width, 0);
    i32 untouched = 5;
    EXPECT_EQ(measure("", &untouched).height, 0);
    EXPECT_EQ(untouched, 5);
    const TextSize ab = measure("AB");
    EXPECT_EQ(ab.width, 14);
    EXPECT_EQ(ab.height, 15);
    // The first symbol advances 12, past a limit of 10: limit 0, width 0,
    // and its height counts.
    i32 limit = 10;
    const TextSize w = measure("Wa", &limit);
    EXPECT_EQ(limit, 0);
    EXPECT_EQ(w.width, 0);
    EXPECT_EQ(w.height, 20);
    // Cut before an escape: the limit names its 0x1F.
    limit = 16;
    const TextSize e = measure(bytes({'a', 'b', 0x1F, 0x80, 0x80, 'c'}), &limit);
    EXPECT_EQ(limit, 2);
    EXPECT_EQ(e.width, 14);
    EXPECT_EQ(e.height, 30);
    limit = 100;
    EXPECT_EQ(measure("abc", &limit).width, 21);
    EXPECT_EQ(limit, 100) << "a text that fits leaves the limit alone";

    auto run = [](const UString& text) { return measure(text); };
    const UString marker(1, static_cast<char>(FONT_STYLE_MARKER));
    EXPECT_EQ(measureMarkupRuns("ab" + marker + "{FF0000}cd", run).width, 28);
    EXPECT_EQ(measureMarkupRuns(marker + "{00FF00}" + marker + "{000001}W", run).height, 20);
    EXPECT_EQ(measureMarkupRuns("", run).width, 0);
    // A marker with fewer than eight bytes after it: they are skipped, and
    // nothing is read past the end.
    EXPECT_EQ(measureMarkupRuns("ab" + marker + "{FF", run).width, 14);
    EXPECT_EQ(measureMarkupRuns("ab" + marker, run).width, 14);
}

TEST(FontSymbols, LongTextsAreCutNearTheMiddleKeepingHighBytesWithTheirLetter)
{
    EXPECT_EQ(fontSplitIndex(bytes({'x', 'y', 'z', 'w', 0xE9, 0xE9})), 3);
    EXPECT_EQ(fontSplitIndex(bytes({'x', 'y', 0xE9, 0xE9, 0xE9})), 1);
    // No opening byte below the middle but index 0: the middle.
    EXPECT_EQ(fontSplitIndex(bytes({0xE9, 0xE9, 0xE9, 0xE9})), 2);
    // The middle on an escape's first byte opens the second half.
    EXPECT_EQ(fontSplitIndex(bytes({'a', 'b', 0x1F, 0x80, 0x81, 'c'})), 2);
    // Value bytes with bit 7 clear never split an escape: the cut moves to
    // the escape's start, or past it when the escape opens the text.
    EXPECT_EQ(fontSplitIndex(bytes({'a', 'b', 0x1F, 0x01, 0x02, 'c', 'd', 'e'})), 2);
    EXPECT_EQ(fontSplitIndex(bytes({0x1F, 0x01, 0x02, 'c'})), 3);
}

TEST(FontSymbols, FlagOffsetsAddUp)
{
    // Integer halves truncate toward zero (the last case).
    const struct {
        int flags;
        int width;
        float x;
        float y;
    } cases[] = {{0x03, 100, 0, 0}, {0x04, 101, -50, 0}, {0x0C, 101, -151, 0},
                 {0x30, 100, 0, 31}, {0x40, 100, 0, 14},  {0x04, -5, 2, 0}};
    for (const auto& c : cases) {
        const FontOffset offset = fontFlagOffset(c.flags, c.width, 21, 14);
        EXPECT_EQ(offset.x, c.x) << c.flags << " " << c.width;
        EXPECT_EQ(offset.y, c.y) << c.flags << " " << c.width;
    }
}
