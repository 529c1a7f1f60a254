#include "text/TextMarkup.h"

#include <gtest/gtest.h>

#include "graphics/FontSymbols.h"
#include "support/EngineCore.h"
#include "support/ExpectFatal.h"

namespace {

const UString M(1, static_cast<char>(FONT_STYLE_MARKER));

// 20 units a letter, 4 a space; markup takes no room.
int width(const UString& text)
{
    return measureMarkupRuns(text, [](const UString& run) {
               TextSize size;
               for (char c : run) {
                   size.width += c == ' ' ? 4 : 20;
               }
               return size;
           }).width;
}

std::vector<UString> wrap(const UString& text, int maxWidth) { return wrapText(text, maxWidth, width); }

using Lines = std::vector<UString>;

} // namespace

TEST(TextMarkup, MarkersColourTheRestOfTheLineOneGoesBackToTheDefaultAndAShortTailIsDropped)
{
    const std::vector<StyledRun> runs = splitStyledRuns("Hello " + M + "{FF8000}world");
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].text, "Hello ");
    EXPECT_EQ(runs[0].style, TEXT_STYLE_DEFAULT);
    EXPECT_EQ(runs[1].text, "world");
    EXPECT_EQ(runs[1].style, 0xFF0080FFu) << "bytes R 255, G 128, B 0, A 255 in memory order";

    const std::vector<StyledRun> back = splitStyledRuns(M + "{00FF00}ok" + M + "{000001} on" + M + "{000000}");
    ASSERT_EQ(back.size(), 2u) << "no run for the start or the end of the line";
    EXPECT_EQ(back[0].style, 0xFF00FF00u);
    EXPECT_EQ(back[1].text, " on");
    EXPECT_EQ(back[1].style, TEXT_STYLE_DEFAULT);
    EXPECT_EQ(textStyleFromMarkup(0x000000), 0xFF000000u) << "black is a colour, not the default";
    EXPECT_TRUE(splitStyledRuns("").empty());

    // A short markup tail at the end is dropped.
    const std::vector<StyledRun> tail = splitStyledRuns("abc" + M + "{FF00");
    ASSERT_EQ(tail.size(), 1u);
    EXPECT_EQ(tail[0].text, "abc");
    EXPECT_EQ(splitStyledRuns("abc" + M).size(), 1u);
    EXPECT_EQ(width("abc" + M + "{FF00"), 60) << "measured as drawn";
}

TEST(TextMarkupDeathTest, UnreadableMarkupIsFatalAndQuotesIt)
{
    EngineCore core;
    EXPECT_FATAL(splitStyledRuns(M + "{GGGGGG}"),
                 "Couldn't extract markup from line '\\{GGGGGG\\}'(.|\n)*Function: TextLine\\(\\)");
}

TEST(TextMarkup, WordsWrapAtSpacesAndBarsForceBreaks)
{
    EXPECT_EQ(wrap("aaa bbb", 100), (Lines{"aaa", "bbb"}));
    EXPECT_EQ(wrap("aaa bbb", 124), (Lines{"aaa bbb"}));
    EXPECT_EQ(wrap("aaa bbb", 123), (Lines{"aaa", "bbb"}));
    EXPECT_EQ(wrap("aaaaaaaaaa b", 50), (Lines{"aaaaaaaaaa", "b"})) << "a long first word overflows alone";
    EXPECT_TRUE(wrap("", 100).empty());
    // Markers take no room, so a coloured word fits like a plain one.
    EXPECT_EQ(wrap("aa " + M + "{FF0000}bb", 84), (Lines{"aa " + M + "{FF0000}bb"}));

    EXPECT_EQ(wrap("one|two", 1000), (Lines{"one", "two"}));
    EXPECT_EQ(wrap("one|", 1000), (Lines{"one", ""}));
    EXPECT_EQ(wrap("a||b", 1000), (Lines{"a", "", "b"}));
    EXPECT_EQ(wrap("a| b", 1000), (Lines{"a", " b"})) << "spaces after a forced break stay";
    // A forced break that does not fit moves to the next line and still breaks.
    EXPECT_EQ(wrap("aa bb|cc", 50), (Lines{"aa", "bb", "cc"}));
    // The no-break space is no break.
    EXPECT_EQ(wrap("aa\xA0" "bb cc", 100), (Lines{"aa\xA0" "bb", "cc"}));
}

