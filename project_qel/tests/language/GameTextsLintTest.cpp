// The rules that the texts from the interface words on (identifiers 440 to
// 772) keep in every language: every slot written, row breaks and picture
// rows where the screens lay texts out in rows, the rows of every tip, the
// choice of a level's tip, the placeholders formatted with real arguments,
// lengths, and the punctuation and capitals of each language.
#include <algorithm>
#include <string>
#include <vector>

#include "language/LanguageTestSupport.h"
#include "language/StoryScript.h"

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

// Row counts of every tip body in English, its picture row and its empty
// rows counted from 1 (0: no picture). The numbered tips have neither.
struct TipRows {
    int id;
    size_t rows;
    size_t picture;
    std::vector<size_t> empty;
};

std::vector<TipRows> englishTipRows()
{
    const size_t numbered[17] = {1, 2, 1, 2, 2, 2, 2, 2, 2, 2, 2, 4, 2, 3, 2, 2, 4};
    std::vector<TipRows> tips;
    for (int n = 0; n < 17; ++n) {
        tips.push_back({L::TIP1 + n, numbered[n], 0, {}});
    }
    tips.insert(tips.end(), {
        {L::TIPHOWTOPLAY, 6, 3, {}},       {L::TIPCHAINREACTION, 5, 3, {}},  {L::TIPBONUSSLOW, 4, 2, {}},
        {L::TIPBONUSSTOP, 7, 1, {4}},      {L::TIPBONUSREVERSE, 3, 1, {}},   {L::TIPBONUSWILDCARD, 3, 1, {}},
        {L::TIPBONUSSPEEDSHOT, 3, 1, {}},  {L::TIPBONUSFIREBALL, 2, 1, {}},  {L::TIPBONUSCOLORBOMB, 3, 1, {}},
        {L::TIPDOUBLECARRIAGE, 4, 1, {4}}, {L::TIPTREBBLECARRIAGE, 3, 1, {}}, {L::TIPLAUNCHERSPOTS, 6, 1, {5}},
        {L::TIPTWINTRACKS, 1, 0, {}},
    });
    return tips;
}

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
    for (const TipRows& tip : englishTipRows()) {
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
    // How to play lists three instructions, the first right under its
    // picture, every one opening a row. The second hints of three topic
    // pages open with the word of the tips' title and a colon (after a
    // no-break space in French).
    const std::pair<L::StringsEnum, size_t> hints[] = {
        {L::TIPCHAINREACTION, 4}, {L::TIPBONUSSTOP, 5}, {L::TIPLAUNCHERSPOTS, 6}};
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        SCOPED_TRACE(LANGUAGE_LABELS[lang]);
        const std::vector<std::string> rows = rowsOf(text(lang, L::TIPHOWTOPLAY));
        EXPECT_EQ(count(text(lang, L::TIPHOWTOPLAY), "\x01"), 3u);
        EXPECT_TRUE(rows[3].starts_with("\x01 "));
        const auto bulleted = [](const std::string& r) { return r.starts_with("\x01 "); };
        EXPECT_EQ(std::count_if(rows.begin() + 3, rows.end(), bulleted), 3);
        const std::string opening = text(lang, L::TIP) + (lang == FRENCH ? latin1(u8"\u00A0:") : ":") + " ";
        for (const auto& [id, row] : hints) {
            EXPECT_TRUE(rowsOf(text(lang, id))[row - 1].starts_with(opening)) << L::nameOf(id);
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
}

// The page a level opens with: a topic pair (title, then body) on the levels
// that introduce something, TIP1 + (level mod 17) under the title TIP on the
// other levels up to 27. The numbered tips run on without a gap, so the rule
// never leaves them; their rows are pinned by the tip table above.
TEST_F(LanguageTest, LevelTipsAreFoundByTheirNumbersAndTopicPairs)
{
    for (int n = 0; n < 17; ++n) {
        EXPECT_STREQ(L::nameOf(L::TIP1 + n), ("TIP" + std::to_string(n + 1)).c_str());
    }
    for (const char* topic : {"HOWTOPLAY", "CHAINREACTION", "BONUSSLOW", "BONUSSTOP", "DOUBLECARRIAGE",
                              "BONUSREVERSE", "BONUSWILDCARD", "BONUSSPEEDSHOT", "LAUNCHERSPOTS",
                              "BONUSFIREBALL", "BONUSCOLORBOMB", "TREBBLECARRIAGE", "TWINTRACKS"}) {
        const int title = idNamed(std::string("TIP") + topic + "TITLE");
        ASSERT_GE(title, 0) << topic;
        EXPECT_EQ(idNamed(std::string("TIP") + topic), title + 1) << topic;
        EXPECT_EQ((title - L::TIPHOWTOPLAYTITLE) % 2, 0) << topic;
    }
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
    }
    EXPECT_TRUE(text(FRENCH, L::NEWWORLDTEXT).starts_with(latin1(u8"Ton train est arrivé à\u00A0:")));
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
    EXPECT_EQ(text(0, L::CREDITS6B), text(0, L::CREDITS15B));
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
        EXPECT_EQ(text(lang, L::CREDITS).ends_with("..."), lang == FRENCH || lang == ITALIAN);
    }
    EXPECT_NE(text(0, L::COPYRIGHT).find(latin1(u8"©")), std::string::npos);
    EXPECT_NE(text(0, L::COPYRIGHT).find("Brontal Studios"), std::string::npos);
}

TEST_F(LanguageTest, HintsFitOneLine)
{
    for (int id = FIRST_GAME_TEXT; id < L::TIP; ++id) {
        const char* name = L::nameOf(id);
        if (name == nullptr || !std::string_view(name).ends_with("HINT")) {
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
        EXPECT_TRUE(text(GERMAN, id).ends_with(".")) << L::nameOf(id);
    }
    EXPECT_TRUE(text(GERMAN, L::DOCUMENTATIONHINT).ends_with("(englisch)."));
    EXPECT_TRUE(text(GERMAN, L::ONLINEHELPHINT).ends_with("(englisch)."));
}

TEST_F(LanguageTest, ServiceTextsKeepTheirTellingForms)
{
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        SCOPED_TRACE(LANGUAGE_LABELS[lang]);
        EXPECT_TRUE(text(lang, L::STARTINGDOTS).ends_with("..."));
        EXPECT_TRUE(text(lang, L::NETWORKWIZARDDOTS).ends_with("..."));
        EXPECT_TRUE(text(lang, L::DONEDOT).ends_with("."));
        if (lang == FRENCH || lang == GERMAN || lang == ITALIAN) {
            EXPECT_FALSE(text(lang, L::FAILED).ends_with("."));
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
                EXPECT_TRUE(t.starts_with(latin1(u8"¡"))) << t;
            }
        }
        for (L::StringsEnum id : {L::STATSPEED, L::STATACCURACY, L::STATEFFICIENCY, L::NOAWARD, L::BRONZEAWARD,
                                  L::SILVERAWARD, L::GOLDAWARD, L::MENU}) {
            EXPECT_FALSE(hasLowerCase(text(lang, id))) << text(lang, id);
        }
        for (L::StringsEnum id : {L::BRONZEAWARD, L::SILVERAWARD, L::GOLDAWARD}) {
            EXPECT_EQ(text(lang, id).ends_with("!"), lang <= GERMAN) << text(lang, id);
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
    EXPECT_TRUE(text(FRENCH, L::SPACETOCYCLE).ends_with(" !"));
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

// An untranslated text reads the same everywhere. The names and numbers
// that do are pinned with the quoted texts; of the rest only the rights
// notice does, and never a service text.
TEST_F(LanguageTest, OnlyTheNamesAndNumbersAreSharedByAllLanguages)
{
    const std::set<std::string> shared = namesOfSharedTexts(FIRST_GAME_TEXT, L::STRING_COUNT - 1);
    EXPECT_EQ(shared.count("COPYRIGHT"), 1u);
    EXPECT_EQ(shared.count("LEVELX"), 0u);
    for (const std::string& name : shared) {
        const int id = idNamed(name);
        EXPECT_FALSE(id >= L::NETWORKWIZARD && id <= L::INVITINGPLAYERS) << name;
    }
}
