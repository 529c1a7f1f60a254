#include <gtest/gtest.h>

#include <climits>
#include <unordered_map>

#include "system/StringUtils.h"

TEST(UStringHash, FollowsFiveTimesPlusByteOverSignedBytes)
{
    EXPECT_EQ(hashUString(""), 0u);
    EXPECT_EQ(hashUString("a"), 97u);
    EXPECT_EQ(hashUString("ab"), 5u * 97u + 98u);
    // 0xE9 counts as -23.
    EXPECT_EQ(hashUString("\xE9"), static_cast<u32>(-23));
    EXPECT_EQ(hashUString("a\xE9"), 5u * 97u - 23u);
}

TEST(UStringHash, StopsAtEmbeddedNulButEqualityDoesNot)
{
    UString a(std::string("ab\0x", 4));
    UString b(std::string("ab\0y", 4));
    EXPECT_EQ(std::hash<UString>()(a), std::hash<UString>()(b));
    EXPECT_NE(a, b);
    std::unordered_map<UString, int> map{{a, 1}, {b, 2}};
    EXPECT_EQ(map.size(), 2u);
    EXPECT_EQ(map[a], 1);
}

TEST(FormatString, FormatsLikePrintf)
{
    EXPECT_EQ(formatString("%s%d", "x", 5), "x5");
    EXPECT_EQ(formatString("%02x", 10), "0a");
    UString out = "old";
    formatStringInto(out, "%s(): %s", "error", "Forced exit.");
    EXPECT_EQ(out, "error(): Forced exit.");
}

TEST(FormatString, LongTextsAreNeverCutOrOverflowed)
{
    UString big(200000, 'q');
    UString result = formatString("<%s>", big.c_str());
    ASSERT_EQ(result.size(), big.size() + 2);
    EXPECT_EQ(result.front(), '<');
    EXPECT_EQ(result.back(), '>');
}

TEST(ParseNumbers, ReadsLeadingNumbersOnly)
{
    EXPECT_EQ(parseInt("  42abc"), 42);
    EXPECT_EQ(parseInt("abc"), 0);
    EXPECT_EQ(parseInt("-7"), -7);
    EXPECT_EQ(parseInt("+12"), 12);
    EXPECT_EQ(parseInt(""), 0);
    EXPECT_EQ(parseInt("99999999999999"), INT_MAX);
    EXPECT_EQ(parseInt("-99999999999999"), INT_MIN);
    EXPECT_DOUBLE_EQ(parseDouble("0.015"), 0.015);
    EXPECT_DOUBLE_EQ(parseDouble(""), 0.0);
    EXPECT_DOUBLE_EQ(parseDouble(" -2.5e1x"), -25.0);
    EXPECT_DOUBLE_EQ(parseDouble("x1"), 0.0);
}

TEST(CaseChanges, TouchOnlyAsciiLetters)
{
    UString text = "AbZ\xC9\xE9-1";
    toLowerCase(text);
    EXPECT_EQ(text, "abz\xC9\xE9-1");
    toUpperCase(text);
    EXPECT_EQ(text, "ABZ\xC9\xE9-1");
}

TEST(Trim, RemovesBlanksAtBothEndsOnly)
{
    UString word = " \tword in\tside\r\n";
    trim(word);
    EXPECT_EQ(word, "word in\tside");
    UString blank = "\r\n";
    trim(blank);
    EXPECT_EQ(blank, "");
    UString empty;
    trim(empty);
    EXPECT_EQ(empty, "");
}

TEST(ReplaceAll, DoesNotRescanInsertedText)
{
    UString text = "aXa";
    replaceAll(text, "a", "aa");
    EXPECT_EQ(text, "aaXaa");
    UString shrink = "a--b--c";
    replaceAll(shrink, "--", "");
    EXPECT_EQ(shrink, "abc");
    replaceAll(shrink, "", "x");
    EXPECT_EQ(shrink, "abc") << "an empty search text changes nothing";
}

TEST(ExtractLine, YieldsEveryLineWithoutTerminators)
{
    UString text = "a\r\nb\n\nc";
    std::vector<UString> lines;
    while (!text.empty()) {
        lines.push_back(extractLine(text));
    }
    EXPECT_EQ(lines, (std::vector<UString>{"a", "b", "", "c"}));

    UString trailing = "one\n";
    EXPECT_EQ(extractLine(trailing), "one");
    EXPECT_TRUE(trailing.empty());
}
