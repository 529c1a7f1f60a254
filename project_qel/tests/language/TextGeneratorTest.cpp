// The text compiler: what it accepts, how it writes the bytes, and every
// kind of source line it refuses.
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace {

const char* const IDENTIFIERS =
    "// three texts\n"
    "LANGUAGE_TEXT_NAMED(NULLTEXT, 0, \"NULL\")\n"
    "LANGUAGE_TEXT(GREETING, 1)\n"
    "LANGUAGE_RESERVED(2)\n"
    "LANGUAGE_TEXT(DIK_UP, 3)\n";

class TextGeneratorTest : public testing::Test {
protected:
    TempFolder folder;
    std::string errors;

    // Runs the generator on one source; returns its exit status.
    int run(const std::string& source, const std::string& identifiers = IDENTIFIERS)
    {
        TempFolder::writeFile("ids.def", identifiers);
        TempFolder::writeFile("texts.txt", source);
        const std::string command =
            std::string(VABO_TEXTGEN) + " ids.def out.cpp texts.txt 2> errors.txt";
        const int status = std::system(command.c_str());
        errors = TempFolder::readFile("errors.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string output() const { return TempFolder::readFile("out.cpp"); }

    void expectRefused(const std::string& source, const std::string& message)
    {
        EXPECT_EQ(run(source), 1) << source;
        EXPECT_NE(errors.find(message), std::string::npos) << errors;
    }
};

}  // namespace

TEST_F(TextGeneratorTest, CompilesASourceIntoWindows1252Constants)
{
    ASSERT_EQ(run("# comment\n\nNULL \"\"\nGREETING \"Fran\xC3\xA7" "ais{nbsp}!{lbrace}\"\n"
                  "[2] \"\"\nDIK_UP \"{x05}\"\n"),
              0)
        << errors;
    const std::string cpp = output();
    EXPECT_NE(cpp.find("\"Fran\\347ais\\240!{\""), std::string::npos) << cpp;
    EXPECT_NE(cpp.find("\"\\005\""), std::string::npos) << cpp;
    EXPECT_NE(cpp.find("static_assert(Language::STRING_COUNT == 4"), std::string::npos);
    // The two empty texts share one constant.
    EXPECT_EQ(cpp.find("\"\";", cpp.find("\"\";") + 1), std::string::npos) << cpp;
}

TEST_F(TextGeneratorTest, ToleratesAByteOrderMarkAndWindowsLineEnds)
{
    EXPECT_EQ(run("\xEF\xBB\xBF# texts\r\nNULL \"\"\r\nGREETING \"a\"\r\n[2] \"\"\r\nDIK_UP \"U\"\r\n"), 0)
        << errors;
    EXPECT_NE(output().find("\"U\";"), std::string::npos);
}

TEST_F(TextGeneratorTest, APendingLineHoldsTheIdentifiersName)
{
    ASSERT_EQ(run("NULL \"\"\nGREETING\n[2] \"\"\nDIK_UP \"U\"\n"), 0) << errors;
    EXPECT_NE(output().find("\"GREETING\""), std::string::npos);
    expectRefused("NULL \"\"\nGREETING\n[2]\nDIK_UP \"U\"\n", "a reserved number needs a text");
}

TEST_F(TextGeneratorTest, RefusesLinesThatBreakTheOrder)
{
    expectRefused("NULL \"\"\nGREETING \"a\"\nGREETING \"b\"\n", "texts.txt:3: 'GREETING' given twice");
    expectRefused("NULL \"\"\n[2] \"\"\nGREETING \"a\"\n", "texts.txt:2: '[2]' where 'GREETING' comes next");
    expectRefused("NULL \"\"\nGREETING \"a\"\n[2] \"\"\n", "ends before 'DIK_UP'");
    expectRefused("NULL \"\"\nFAREWELL \"a\"\n", "texts.txt:2: unknown identifier 'FAREWELL'");
    expectRefused("NULLTEXT \"\"\n", "unknown identifier 'NULLTEXT'");
    expectRefused("NULL \"\"\n[5] \"\"\n", "unknown identifier '[5]'");
}

TEST_F(TextGeneratorTest, RefusesCharactersOutsideTheTable)
{
    const std::string head = "NULL \"\"\nGREETING \"";
    const std::string tail = "\"\n[2] \"\"\nDIK_UP \"U\"\n";
    expectRefused(head + "\xE2\x82\xAC" + tail, "U+20AC lies outside Latin-1");
    expectRefused(head + "\xC2\x85" + tail, "U+0085 has no place in the table");
    expectRefused(head + "\x7F" + tail, "U+007F has no place in the table");
    expectRefused(head + "\xC2\xA0" + tail, "write it as {nbsp}");
    expectRefused(head + "a\tb" + tail, "control character U+0009");
    expectRefused(head + "\xC3" + tail, "malformed UTF-8");
    expectRefused(head + "\xC0\xA9" + tail, "malformed UTF-8");
    expectRefused(head + "\xFF" + tail, "malformed UTF-8");
    expectRefused(head + "{x1E}" + tail, "token {x1E} is no icon byte");
    expectRefused(head + "{x00}" + tail, "token {x00} is no icon byte");
    expectRefused(head + "{tab}" + tail, "unknown token {tab}");
    expectRefused(head + "{nbsp" + tail, "unterminated token");
    expectRefused("NULL \"\"\nGREETING missing quotes\n", "the text must stand in double quotes");
}

TEST_F(TextGeneratorTest, RefusesABrokenIdentifierList)
{
    const std::pair<const char*, const char*> cases[] = {
        {"LANGUAGE_TEXT(NULLTEXT, 0)\nLANGUAGE_TEXT(GREETING, 2)\n", "ids.def:2: number 2 where 1 comes next"},
        {"LANGUAGE_TEXT(NULLTEXT, 0)\nLANGUAGE_TEXT(NULLTEXT, 1)\n", "name 'NULLTEXT' given twice"},
        {"LANGUAGE_TEXT(Greeting, 0)\n", "malformed name 'Greeting'"},
        {"LANGUAGE_TEXT(GREETING)\n", "ids.def:1: malformed entry"},
        {"// nothing\n", "no identifiers"},
    };
    for (const auto& [identifiers, message] : cases) {
        EXPECT_EQ(run("NULL \"\"\nGREETING \"a\"\n", identifiers), 1) << identifiers;
        EXPECT_NE(errors.find(message), std::string::npos) << errors;
    }
}

TEST_F(TextGeneratorTest, AFailedRunKeepsThePreviousTable)
{
    ASSERT_EQ(run("NULL \"\"\nGREETING \"kept\"\n[2] \"\"\nDIK_UP \"U\"\n"), 0) << errors;
    const std::string before = output();
    EXPECT_EQ(run("NULL \"\"\nGREETING \"\xE2\x82\xAC\"\n[2] \"\"\nDIK_UP \"U\"\n"), 1);
    EXPECT_EQ(output(), before);
    EXPECT_TRUE(TempFolder::readFile("out.cpp.tmp").empty());
}
