// The rules that the texts from the interface words on (identifiers 440 to
// 772) keep in every language: every slot written, row breaks and picture
// rows where the screens lay texts out in rows, the rows of every tip, the
// choice of a level's tip, the placeholders formatted with real arguments,
// lengths, and the punctuation and capitals of each language.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "language/LanguageTestSupport.h"
#include "language/StoryScript.h"
#include "system/StringUtils.h"

namespace {

using L = Language;

constexpr int FIRST_GAME_TEXT = L::CONFIRM;
constexpr int FRENCH = 1;
constexpr int GERMAN = 2;
constexpr int ITALIAN = 3;
constexpr int SPANISH = 4;

// The rows the mascot's dialog cuts a text into: one more than its bars,
// empty rows included.
std::vector<std::string> rowsOf(const std::string& text)
{
    std::vector<std::string> rows;
    size_t start = 0;
    for (size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|', start)) {
        rows.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    rows.push_back(text.substr(start));
    return rows;
}

bool isTopicBody(int id)
{
    return id >= L::TIPHOWTOPLAY && id <= L::TIPTWINTRACKS && (id - L::TIPHOWTOPLAY) % 2 == 0;
}

bool isTipBody(int id)
{
    return (id >= L::TIP1 && id <= L::TIP17) || isTopicBody(id);
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool startsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

bool hasLowerCase(const std::string& text)
{
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 0xDF && byte != 0xF7)) {
            return true;
        }
    }
    return false;
}

bool hasUpperCase(const std::string& text)
{
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
            return true;
        }
    }
    return false;
}

// The first letter, past an opening Spanish mark.
unsigned char firstLetter(const std::string& text)
{
    const size_t at = text.find_first_not_of(latin1(u8"¡¿"));
    return at == std::string::npos ? 0 : static_cast<unsigned char>(text[at]);
}

size_t count(const std::string& text, const std::string& part)
{
    size_t found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++found;
    }
    return found;
}

// The text with its printf conversions replaced by `values` in order.
std::string substitute(const std::string& text, const std::vector<std::string>& values)
{
    const std::vector<std::string> conversions = conversionsOf(text);
    std::string out;
    size_t from = 0;
    for (size_t i = 0; i < conversions.size() && i < values.size(); ++i) {
        const size_t at = text.find(conversions[i], from);
        out += text.substr(from, at - from) + values[i];
        from = at + conversions[i].size();
    }
    return out + text.substr(from);
}

// Row counts and rows of every tip body in English, the picture row and the
// empty rows counted from 1 (0: no picture).
struct TipRows {
    L::StringsEnum id;
    size_t rows;
    size_t picture;
    std::vector<size_t> empty;
};

const TipRows englishTipRows[] = {
    {L::TIP1, 1, 0, {}},
    {L::TIP2, 2, 0, {}},
    {L::TIP3, 1, 0, {}},
    {L::TIP4, 2, 0, {}},
    {L::TIP5, 2, 0, {}},
    {L::TIP6, 2, 0, {}},
    {L::TIP7, 2, 0, {}},
    {L::TIP8, 2, 0, {}},
    {L::TIP9, 2, 0, {}},
    {L::TIP10, 2, 0, {}},
    {L::TIP11, 2, 0, {}},
    {L::TIP12, 4, 0, {}},
    {L::TIP13, 2, 0, {}},
    {L::TIP14, 3, 0, {}},
    {L::TIP15, 2, 0, {}},
    {L::TIP16, 2, 0, {}},
    {L::TIP17, 4, 0, {}},
    {L::TIPHOWTOPLAY, 6, 3, {}},
    {L::TIPCHAINREACTION, 5, 3, {}},
    {L::TIPBONUSSLOW, 4, 2, {}},
    {L::TIPBONUSSTOP, 7, 1, {4}},
    {L::TIPBONUSREVERSE, 3, 1, {}},
    {L::TIPBONUSWILDCARD, 3, 1, {}},
    {L::TIPBONUSSPEEDSHOT, 3, 1, {}},
    {L::TIPBONUSFIREBALL, 2, 1, {}},
    {L::TIPBONUSCOLORBOMB, 3, 1, {}},
    {L::TIPDOUBLECARRIAGE, 4, 1, {4}},
    {L::TIPTREBBLECARRIAGE, 3, 1, {}},
    {L::TIPLAUNCHERSPOTS, 6, 1, {5}},
    {L::TIPTWINTRACKS, 1, 0, {}},
};

// Rows of a mascot dialog must fit the screen beside the mascot.
constexpr size_t LONGEST_DIALOG_ROW = 60;
constexpr size_t LONGEST_STORY_LINE = 62;
constexpr size_t LONGEST_HINT = 80;

}  // namespace

TEST_F(LanguageTest, EveryTextFromTheInterfaceOnIsWritten)
{
    for (int id = FIRST_GAME_TEXT; id < L::STRING_COUNT; ++id) {
        const char* name = L::nameOf(id);
        if (name == nullptr) {
            continue;
        }
        for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
            const std::string t = text(lang, id);
            SCOPED_TRACE(testing::Message() << LANGUAGE_LABELS[lang] << " " << name);
            if (t.empty()) {
                ADD_FAILURE() << "empty";
                continue;
            }
            // A slot not written yet holds its identifier's name; only two
            // words are their own name.
            if (id != L::OK && id != L::MENU) {
                EXPECT_NE(t, name);
            }
            // Blanks at either end are stray, apart from the indented
            // French and German mouse-button caption.
            const bool indented = id == L::SWAPMOUSE && (lang == FRENCH || lang == GERMAN);
            EXPECT_EQ(t.front() == ' ', indented);
            EXPECT_NE(t.back(), ' ');
        }
    }
}

TEST_F(LanguageTest, RowBreaksAndPictureRowsStandOnlyWhereTextsAreLaidOutInRows)
{
    for (int id = 0; id < L::STRING_COUNT; ++id) {
        const bool rowLaid = id == L::CHANGELANGUAGETEXT || id == L::NEWWORLDTEXT || isTipBody(id);
        for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
            const std::string t = text(lang, id);
            SCOPED_TRACE(testing::Message() << LANGUAGE_LABELS[lang] << " " << id);
            const bool hasBar = t.find('|') != std::string::npos;
            if (!rowLaid) {
                EXPECT_FALSE(hasBar);
            }
            // A text either holds row breaks in every language or in none.
            EXPECT_EQ(hasBar, text(0, id).find('|') != std::string::npos);
            // "~" only as a whole row, once in every topic body but the last.
            size_t pictures = 0;
            for (const std::string& row : rowsOf(t)) {
                pictures += row == "~" ? 1 : 0;
                if (row != "~") {
                    EXPECT_EQ(row.find('~'), std::string::npos) << row;
                }
            }
            EXPECT_EQ(pictures, (isTopicBody(id) && id != L::TIPTWINTRACKS) ? 1u : 0u);
        }
    }
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        EXPECT_EQ(rowsOf(text(lang, L::CHANGELANGUAGETEXT)).size(), 2u) << LANGUAGE_LABELS[lang];
    }
}

TEST_F(LanguageTest, TipsKeepTheirRowsAndPictureRowsInEveryLanguage)
{
    for (const TipRows& tip : englishTipRows) {
        for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
            SCOPED_TRACE(testing::Message() << LANGUAGE_LABELS[lang] << " " << L::nameOf(tip.id));
            const std::vector<std::string> rows = rowsOf(text(lang, tip.id));
            size_t expectedRows = tip.rows;
            std::vector<size_t> expectedEmpty = tip.empty;
            if (tip.id == L::TIPHOWTOPLAY) {
                // The longer translations carry an instruction on to a row
                // of its own.
                const size_t howToPlayRows[LANGUAGE_MAX] = {6, 7, 7, 8, 6};
                expectedRows = howToPlayRows[lang];
            }
            if (tip.id == L::TIPDOUBLECARRIAGE && lang == ITALIAN) {
                // Italian alone has no empty last row.
                expectedRows = 3;
                expectedEmpty.clear();
            }
            ASSERT_EQ(rows.size(), expectedRows);
            std::vector<size_t> empty;
            for (size_t row = 1; row <= rows.size(); ++row) {
                const std::string& r = rows[row - 1];
                if (r.empty()) {
                    empty.push_back(row);
                }
                EXPECT_EQ(r == "~", row == tip.picture) << "row " << row;
                EXPECT_LE(r.size(), LONGEST_DIALOG_ROW) << r;
            }
            EXPECT_EQ(empty, expectedEmpty);
        }
    }
}

TEST_F(LanguageTest, HowToPlayListsThreeInstructionsAfterItsPicture)
{
    const std::string bullet = "\x01 ";
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        SCOPED_TRACE(LANGUAGE_LABELS[lang]);
        const std::vector<std::string> rows = rowsOf(text(lang, L::TIPHOWTOPLAY));
        ASSERT_GE(rows.size(), 4u);
        EXPECT_EQ(count(text(lang, L::TIPHOWTOPLAY), "\x01"), 3u);
        EXPECT_EQ(rows[2], "~");
        // The list starts right under the picture; every bullet opens a row.
        EXPECT_TRUE(startsWith(rows[3], bullet));
        size_t bullets = 0;
        for (size_t row = 0; row < rows.size(); ++row) {
            if (startsWith(rows[row], bullet)) {
                ++bullets;
                EXPECT_GE(row, 3u);
            }
        }
        EXPECT_EQ(bullets, 3u);
    }
}

// The second hints of three topic pages open with the language's own word of
// the tips' title and a colon (after a no-break space in French).
TEST_F(LanguageTest, SecondHintsOpenWithTheWordOfTheTipTitle)
{
    const std::pair<L::StringsEnum, size_t> hints[] = {
        {L::TIPCHAINREACTION, 4}, {L::TIPBONUSSTOP, 5}, {L::TIPLAUNCHERSPOTS, 6}};
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        const std::string opening = text(lang, L::TIP) + (lang == FRENCH ? latin1(u8"\u00A0:") : ":") + " ";
        for (const auto& [id, row] : hints) {
            const std::vector<std::string> rows = rowsOf(text(lang, id));
            ASSERT_GE(rows.size(), row);
            EXPECT_TRUE(startsWith(rows[row - 1], opening)) << LANGUAGE_LABELS[lang] << " " << rows[row - 1];
        }
    }
}

TEST_F(LanguageTest, TitlesAreSingleRowsWithoutMarkup)
{
    for (int id = L::TIP; id <= L::TIPTWINTRACKS; ++id) {
        if (isTipBody(id)) {
            continue;
        }
        for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
            const std::string t = text(lang, id);
            EXPECT_EQ(t.find_first_of("|~%\x01"), std::string::npos) << LANGUAGE_LABELS[lang] << " " << id;
            EXPECT_LE(t.size(), 30u) << t;
        }
    }
    // One title serves both carriage pages.
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        EXPECT_EQ(text(lang, L::TIPDOUBLECARRIAGETITLE), text(lang, L::TIPTREBBLECARRIAGETITLE));
    }
}

// The page a level opens with: a topic pair on the levels that introduce
// something, TIP1 + (level mod 17) under the title TIP on the other levels up
// to 27, nothing after that.
TEST_F(LanguageTest, LevelsZeroToThirtyChooseTheirTipByTheLevelNumber)
{
    const std::map<int, std::string> topics = {
        {0, "HOWTOPLAY"},     {1, "CHAINREACTION"},  {2, "BONUSSLOW"},     {3, "BONUSSTOP"},
        {4, "DOUBLECARRIAGE"}, {5, "BONUSREVERSE"},  {6, "BONUSWILDCARD"}, {7, "BONUSSPEEDSHOT"},
        {8, "LAUNCHERSPOTS"}, {9, "BONUSFIREBALL"},  {10, "BONUSCOLORBOMB"}, {12, "TREBBLECARRIAGE"},
        {21, "TWINTRACKS"}};
    // The numbered tips run on without a gap, so the rule never leaves them.
    for (int n = 0; n < 17; ++n) {
        EXPECT_STREQ(L::nameOf(L::TIP1 + n), ("TIP" + std::to_string(n + 1)).c_str());
    }
    std::set<int> numberedTipsShown;
    for (int level = 0; level <= 30; ++level) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        const auto topic = topics.find(level);
        if (topic != topics.end()) {
            const int title = idNamed("TIP" + topic->second + "TITLE");
            const int body = idNamed("TIP" + topic->second);
            ASSERT_GE(title, 0);
            EXPECT_EQ(body, title + 1);
            EXPECT_EQ((title - L::TIPHOWTOPLAYTITLE) % 2, 0);
            // Every topic page but the twin tracks shows its picture.
            for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
                const std::vector<std::string> rows = rowsOf(text(lang, body));
                EXPECT_EQ(std::count(rows.begin(), rows.end(), "~"), topic->second == "TWINTRACKS" ? 0 : 1);
            }
            continue;
        }
        if (level > 27) {
            continue;
        }
        const int body = L::TIP1 + level % 17;
        numberedTipsShown.insert(body - L::TIP);
        for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
            // A numbered tip has no picture and at most four rows.
            const std::vector<std::string> rows = rowsOf(text(lang, body));
            EXPECT_EQ(std::count(rows.begin(), rows.end(), "~"), 0);
            EXPECT_LE(rows.size(), 4u);
        }
    }
    EXPECT_EQ(L::TIP1 + 11 % 17, L::TIP12);
    EXPECT_EQ(L::TIP1 + 17 % 17, L::TIP1);
    EXPECT_EQ(L::TIP1 + 27 % 17, L::TIP11);
    // Only the fifth and the thirteenth tip never come up.
    const std::set<int> expected = {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17};
    EXPECT_EQ(numberedTipsShown, expected);
}

TEST_F(LanguageTest, NewWorldTextHasSixRowsWithTheNameAloneOnTheSecond)
{
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        SCOPED_TRACE(LANGUAGE_LABELS[lang]);
        const std::string format = text(lang, L::NEWWORLDTEXT);
        const std::vector<std::string> rows = rowsOf(format);
        ASSERT_EQ(rows.size(), 6u);
        EXPECT_EQ(rows[1], "%s");
        EXPECT_TRUE(rows[2].empty());
        for (size_t row : {0u, 3u, 4u, 5u}) {
            EXPECT_FALSE(rows[row].empty()) << row + 1;
        }
        // Announced for worlds 1 to 13, with the name the map was built with.
        for (int world = 1; world <= 13; ++world) {
            const std::string name = text(lang, L::WORLD0 + world);
            const std::vector<std::string> shown = rowsOf(formatString(format.c_str(), name.c_str()));
            ASSERT_EQ(shown.size(), 6u);
            EXPECT_EQ(shown[1], name);
        }
    }
    EXPECT_TRUE(startsWith(text(FRENCH, L::NEWWORLDTEXT), latin1(u8"Ton train est arrivé à\u00A0:")));
}

TEST_F(LanguageTest, EveryPlaceholderTextFormatsWithSampleArguments)
{
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        SCOPED_TRACE(LANGUAGE_LABELS[lang]);
        const auto t = [&](L::StringsEnum id) { return text(lang, id); };
        // The formatted text is the text with each conversion replaced by
        // its argument, the arguments in the order given.
        const auto expectFormatted = [&](L::StringsEnum id, const UString& shown,
                                         const std::vector<std::string>& values) {
            EXPECT_EQ(shown, substitute(t(id), values)) << L::nameOf(id);
            EXPECT_EQ(conversionsOf(t(id)).size(), values.size()) << L::nameOf(id);
        };
        // A "%" in a player's name is printed, not read as a conversion.
        expectFormatted(L::HELLO, formatString(t(L::HELLO).c_str(), "Zo%d 100%"), {"Zo%d 100%"});
        expectFormatted(L::FAILEDWITHCODE, formatString(t(L::FAILEDWITHCODE).c_str(), 404), {"404"});
        expectFormatted(L::ERRORREPORTUPLOADING, formatString(t(L::ERRORREPORTUPLOADING).c_str(), "1.234.567"),
                        {"1.234.567"});
        expectFormatted(L::ERRORMINVERSIONCLIENT,
                        formatString(t(L::ERRORMINVERSIONCLIENT).c_str(), "0.00", 1.3), {"0.00", "1.30"});
        expectFormatted(L::ERRORMINVERSIONSERVER,
                        formatString(t(L::ERRORMINVERSIONSERVER).c_str(), "0.00", 2.5), {"0.00", "2.50"});
        expectFormatted(L::CONNECTEDTO, formatString(t(L::CONNECTEDTO).c_str(), "10.0.0.7:23006"),
                        {"10.0.0.7:23006"});
        expectFormatted(L::DISCONNECTEDFROM, formatString(t(L::DISCONNECTEDFROM).c_str(), "10.0.0.7:23006"),
                        {"10.0.0.7:23006"});
        // The players' names stand in single quotes in every language.
        expectFormatted(L::PLAYERJOINED, formatString(t(L::PLAYERJOINED).c_str(), "Ann"), {"Ann"});
        expectFormatted(L::PLAYERLEFT, formatString(t(L::PLAYERLEFT).c_str(), "Ann"), {"Ann"});
        EXPECT_NE(t(L::PLAYERJOINED).find("'%s'"), std::string::npos);
        EXPECT_NE(t(L::PLAYERLEFT).find("'%s'"), std::string::npos);
        expectFormatted(L::NEWWORLDTEXT, formatString(t(L::NEWWORLDTEXT).c_str(), "Pine Grove"), {"Pine Grove"});
        expectFormatted(L::STREAKX, formatString(t(L::STREAKX).c_str(), 15), {"15"});
        EXPECT_NE(t(L::STREAKX).find("x%d"), std::string::npos);
        // World first, stage second.
        expectFormatted(L::LEVELX, formatString(t(L::LEVELX).c_str(), 14, 8), {"14", "8"});
    }
}

TEST_F(LanguageTest, StoryLinesAreSingleLinesOfAtMostSixtyTwoCharacters)
{
    for (int id = L::INTRO11; id <= L::WORLD14; ++id) {
        if (L::nameOf(id) == nullptr) {
            continue;
        }
        for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
            const std::string t = text(lang, id);
            SCOPED_TRACE(testing::Message() << LANGUAGE_LABELS[lang] << " " << L::nameOf(id));
            EXPECT_EQ(t.find_first_of("|~%"), std::string::npos);
            for (char c : t) {
                EXPECT_GE(static_cast<unsigned char>(c), 0x20);
            }
            if (id <= L::WIN61) {
                EXPECT_LE(t.size(), LONGEST_STORY_LINE);
            }
        }
    }
}

TEST_F(LanguageTest, CreditsNameTheSamePeopleInEveryLanguage)
{
    for (const CreditsRow& row : getCreditsRows()) {
        if (row.name == L::NULLTEXT) {
            continue;
        }
        const std::string english = text(0, row.name);
        const bool several = row.name == L::CREDITS12B || row.name == L::CREDITS40B;
        EXPECT_EQ(english.find(" & ") != std::string::npos && english.find(", ") != std::string::npos, several)
            << english;
        for (int lang = 1; lang < LANGUAGE_MAX; ++lang) {
            std::string expected = english;
            if (several && (lang == GERMAN || lang == SPANISH)) {
                expected.replace(expected.find(" & "), 3, lang == GERMAN ? " und " : " y ");
            }
            EXPECT_EQ(text(lang, row.name), expected) << LANGUAGE_LABELS[lang] << " " << L::nameOf(row.name);
        }
    }
    // One contributor is listed twice.
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        EXPECT_EQ(text(lang, L::CREDITS6B), text(lang, L::CREDITS15B));
    }
}

TEST_F(LanguageTest, CreditsHeadingsAndLabelFollowEachLanguage)
{
    for (const CreditsRow& row : getCreditsRows()) {
        if (row.heading == L::NULLTEXT || row.heading == L::COPYRIGHT) {
            continue;
        }
        for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
            const std::string heading = text(lang, row.heading);
            SCOPED_TRACE(testing::Message() << LANGUAGE_LABELS[lang] << " " << heading);
            if (lang == GERMAN || lang == SPANISH) {
                EXPECT_TRUE(hasUpperCase(heading.substr(0, 1)));
            } else {
                EXPECT_FALSE(hasUpperCase(heading));
            }
        }
    }
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        EXPECT_EQ(endsWith(text(lang, L::CREDITS), "..."), lang == FRENCH || lang == ITALIAN);
        // The rights notice names the maker in the same words everywhere.
        EXPECT_EQ(text(lang, L::COPYRIGHT), text(0, L::COPYRIGHT));
    }
    EXPECT_NE(text(0, L::COPYRIGHT).find(latin1(u8"©")), std::string::npos);
    EXPECT_NE(text(0, L::COPYRIGHT).find("Brontal Studios"), std::string::npos);
}

TEST_F(LanguageTest, HintsFitOneLine)
{
    for (int id = FIRST_GAME_TEXT; id < L::TIP; ++id) {
        const char* name = L::nameOf(id);
        if (name == nullptr || !endsWith(name, "HINT")) {
            continue;
        }
        EXPECT_NE(text(0, id).back(), '.') << name;
        for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
            EXPECT_LE(text(lang, id).size(), LONGEST_HINT) << LANGUAGE_LABELS[lang] << " " << name;
        }
    }
    // The German help texts of the service screens end with a full stop, and
    // the two that open pages in English say so.
    for (L::StringsEnum id : {L::RUNTESTONDESKTOPHINT, L::SELECTYOURCOUNTRYHINT, L::UPLOADSCORESHINT,
                              L::WORLDWIDESCORESHINT, L::RESETSCORESHINT, L::DOCUMENTATIONHINT, L::ONLINEHELPHINT}) {
        EXPECT_TRUE(endsWith(text(GERMAN, id), ".")) << L::nameOf(id);
    }
    EXPECT_TRUE(endsWith(text(GERMAN, L::DOCUMENTATIONHINT), "(englisch)."));
    EXPECT_TRUE(endsWith(text(GERMAN, L::ONLINEHELPHINT), "(englisch)."));
}

TEST_F(LanguageTest, ServiceTextsKeepTheirTellingForms)
{
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        SCOPED_TRACE(LANGUAGE_LABELS[lang]);
        EXPECT_TRUE(endsWith(text(lang, L::STARTINGDOTS), "..."));
        EXPECT_TRUE(endsWith(text(lang, L::NETWORKWIZARDDOTS), "..."));
        EXPECT_TRUE(endsWith(text(lang, L::DONEDOT), "."));
        if (lang == FRENCH || lang == GERMAN || lang == ITALIAN) {
            EXPECT_FALSE(endsWith(text(lang, L::FAILED), "."));
        }
        EXPECT_NE(text(lang, L::UPLOADTEXT2).find("Brontal Studios"), std::string::npos);
        EXPECT_NE(text(lang, L::ONLINEHELPHINT).find(lang == SPANISH ? "Brontal Studios" : "Brontal studios"),
                  std::string::npos);
        EXPECT_NE(text(lang, L::ERRORREPORTUPLOADING).find(lang == GERMAN ? "Bytes" : "bytes"), std::string::npos);
        // Double quotes only around the Spanish firewall.
        for (int id = L::NETWORKWIZARD; id <= L::INVITINGPLAYERS; ++id) {
            const bool quoted = lang == SPANISH && id == L::NETTESTINTRO3;
            EXPECT_EQ(count(text(lang, id), "\""), quoted ? 2u : 0u) << L::nameOf(id);
        }
    }
    EXPECT_NE(text(SPANISH, L::NETTESTINTRO3).find("\"firewall\""), std::string::npos);
    EXPECT_TRUE(startsWith(text(SPANISH, L::ERRORREPORTINTRO2), latin1(u8"¡")));
    EXPECT_TRUE(endsWith(text(SPANISH, L::ERRORREPORTINTRO3), "!"));
}

TEST_F(LanguageTest, InGameCallOutsAndLabelsKeepTheirCase)
{
    const L::StringsEnum callOuts[] = {L::BONUSSPEEDSHOT, L::BONUSCOLORBOMB, L::BONUSFIREBALL, L::BONUSREVERSE,
                                       L::BONUSSLOW,      L::BONUSSTOP,      L::BONUSWILDCARD, L::EXTRALIFE,
                                       L::STREAKX};
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        SCOPED_TRACE(LANGUAGE_LABELS[lang]);
        const bool capital = lang == GERMAN || lang == SPANISH;
        for (L::StringsEnum id : callOuts) {
            const std::string t = text(lang, id);
            EXPECT_EQ(hasUpperCase(std::string(1, static_cast<char>(firstLetter(t)))), capital) << t;
            if (lang == SPANISH && id != L::STREAKX) {
                EXPECT_TRUE(startsWith(t, latin1(u8"¡"))) << t;
            }
        }
        for (L::StringsEnum id : {L::STATSPEED, L::STATACCURACY, L::STATEFFICIENCY, L::NOAWARD, L::BRONZEAWARD,
                                  L::SILVERAWARD, L::GOLDAWARD, L::MENU}) {
            EXPECT_FALSE(hasLowerCase(text(lang, id))) << text(lang, id);
        }
        for (L::StringsEnum id : {L::BRONZEAWARD, L::SILVERAWARD, L::GOLDAWARD}) {
            EXPECT_EQ(endsWith(text(lang, id), "!"), lang <= GERMAN) << text(lang, id);
        }
    }
    const char* const spaceKey[LANGUAGE_MAX] = {"SPACE", "ESPACE", "LEERTASTE", "SPAZIATRICE", "barra espaciadora"};
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        EXPECT_NE(text(lang, L::SPACETOCYCLE).find(spaceKey[lang]), std::string::npos) << LANGUAGE_LABELS[lang];
    }
}

// French sets "!", "?", ":" and "%" apart with a no-break space, apart from
// the two texts written otherwise; the story, the credits and the world
// names set them apart with a plain blank and hold no no-break space.
// German sets only the percent signs apart.
TEST_F(LanguageTest, FrenchPunctuationStandsApart)
{
    for (int id = FIRST_GAME_TEXT; id < L::STRING_COUNT; ++id) {
        if (id == L::SPACETOCYCLE || id == L::LEVELCOMPLETE) {
            continue;
        }
        const bool storyGroup = id >= L::INTRO11 && id <= L::WORLD14;
        const char space = storyGroup ? ' ' : '\xA0';
        const std::string t = text(FRENCH, id);
        if (storyGroup) {
            EXPECT_EQ(t.find('\xA0'), std::string::npos) << t;
        }
        for (size_t i = 0; i < t.size(); ++i) {
            const bool conversion = t[i] == '%' && i + 1 < t.size() && std::strchr("sd.", t[i + 1]) != nullptr;
            if (std::strchr("!?:%", t[i]) != nullptr && !conversion) {
                ASSERT_GT(i, 0u) << t;
                EXPECT_EQ(t[i - 1], space) << L::nameOf(id) << ": " << t;
            }
        }
    }
    EXPECT_TRUE(endsWith(text(FRENCH, L::SPACETOCYCLE), " !"));
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        const std::string tip = text(lang, L::TIP12);
        EXPECT_EQ(count(tip, "%"), 3u) << LANGUAGE_LABELS[lang];
        const bool spaced = lang == FRENCH || lang == GERMAN;
        EXPECT_EQ(count(tip, latin1(u8"\u00A0%")), spaced ? 3u : 0u) << LANGUAGE_LABELS[lang];
    }
}

// Spanish opens every exclamation and question with its inverted mark; a
// sentence may run over the lines of one scene or one pair of panel lines.
TEST_F(LanguageTest, SpanishOpensEveryExclamationAndQuestion)
{
    std::vector<std::vector<int>> sentences = {
        {L::NETTESTINTRO3, L::NETTESTINTRO4},
        {L::UPLOADTEXT1, L::UPLOADTEXT2},
        {L::ERRORREPORTINTRO2, L::ERRORREPORTINTRO3},
        {L::ERRORREPORTWIZARD1, L::ERRORREPORTWIZARD2}};
    for (auto story : {getOpeningStory(), getCompletionStory()}) {
        for (const StoryScene& scene : story) {
            std::vector<int> lines;
            for (const StoryLine& line : scene.lines) {
                lines.push_back(line.text);
            }
            sentences.push_back(lines);
        }
    }
    std::set<int> grouped;
    for (const auto& group : sentences) {
        grouped.insert(group.begin(), group.end());
    }
    for (int id = FIRST_GAME_TEXT; id < L::STRING_COUNT; ++id) {
        if (grouped.count(id) == 0) {
            sentences.push_back({id});
        }
    }
    for (const auto& group : sentences) {
        std::string joined;
        for (int id : group) {
            joined += text(SPANISH, id) + " ";
        }
        EXPECT_EQ(count(joined, latin1(u8"¡")), count(joined, "!")) << joined;
        EXPECT_EQ(count(joined, latin1(u8"¿")), count(joined, "?")) << joined;
    }
}

TEST_F(LanguageTest, TextsSharedByAllLanguagesAreTheNamesAndNumbers)
{
    const std::set<std::string> shared = namesOfSharedTexts(FIRST_GAME_TEXT, L::STRING_COUNT - 1);
    std::set<std::string> expected = {"ENUMVIDEOMODES0", "ENUMVIDEOMODES1", "ENUMVIDEOMODES2", "ENUMVIDEOMODES3",
                                      "VABO", "COPYRIGHT"};
    for (int world = 0; world <= 13; ++world) {
        expected.insert("WORLD" + std::to_string(world));
    }
    for (const CreditsRow& row : getCreditsRows()) {
        if (row.name != L::NULLTEXT && row.name != L::CREDITS12B && row.name != L::CREDITS40B) {
            expected.insert(L::nameOf(row.name));
        }
    }
    for (const std::string& name : expected) {
        EXPECT_EQ(shared.count(name), 1u) << name;
    }
    // None of the service texts, and not the last world's name.
    for (const std::string& name : shared) {
        const int id = idNamed(name);
        EXPECT_FALSE(id >= L::NETWORKWIZARD && id <= L::INVITINGPLAYERS) << name;
    }
    for (const char* name : {"WORLD14", "CREDITS12B", "CREDITS40B", "OK", "MENU", "STREAKX", "LEVELX"}) {
        EXPECT_EQ(shared.count(name), 0u) << name;
    }
}
