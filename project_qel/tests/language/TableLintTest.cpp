// The rules that every text of the compiled table keeps: names, bytes,
// placeholders, lengths, the texts shared by all languages and the order of
// the country rows.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>
#include <strings.h>
#include <vector>

#include "language/LanguageTestSupport.h"

namespace {

bool isKeyName(int id)
{
    return id >= Language::DIK_NONE && id <= Language::DIK_MOUSEBUTTON3;
}

// The characters beyond ASCII that each language writes anywhere in the
// table, as Windows-1252 bytes (the copyright sign in every language).
std::string lettersOf(int lang)
{
    static const char8_t* const letters[LANGUAGE_MAX] = {
        u8"©éü",
        u8"©\u00A0Éàãæçèéêëíîïôùûü£§¨°²µ",
        u8"©\u00A0ÄÖÜãäéíöü",
        u8"©ÀÙàãèéìíòùü",
        u8"©¡¿ÁÉÍÓÚáéíñóúü",
    };
    return latin1(letters[lang]);
}

// The country names use fewer: English none, French no accented capital.
std::string countryLettersOf(int lang)
{
    static const char8_t* const letters[LANGUAGE_MAX] = {
        u8"", u8"ãæçèéëíîïô", u8"ÄÖãäéíöü", u8"ãéíù", u8"ÁÍáéíñóú",
    };
    return latin1(letters[lang]);
}

// The icon bytes below 0x20 and where they may stand.
bool iconAllowed(int lang, int id, unsigned char byte)
{
    switch (byte) {
    case 0x01: return id == Language::TIPHOWTOPLAY;
    case 0x02: return lang == 0 && (id == Language::CANCEL || id == Language::QUIT);
    case 0x03: return lang == 0 && id == Language::DIK_LEFT;
    case 0x04: return lang == 0 && id == Language::DIK_RIGHT;
    case 0x05: return lang == 0 && id == Language::DIK_UP;
    case 0x06: return lang == 0 && id == Language::DIK_DOWN;
    case 0x09: return (lang == 0 && id == Language::BACK) || (lang == 2 && id == Language::DIK_NUMLOCK);
    case 0x0A: return lang == 0 && id == Language::NEXT;
    case 0x0D: return lang == 0 && id == Language::HELP;
    default: return false;
    }
}

}  // namespace

TEST_F(LanguageTest, NamesAreUniqueAndWellFormed)
{
    const std::set<int> reserved = {460, 540, 541, 610, 611, 612, 613, 614,
                                    615, 616, 617, 618, 619, 620, 621, 697};
    std::set<std::string> seen;
    language.setCurrentLanguage(0);
    for (int id = 0; id < Language::STRING_COUNT; ++id) {
        const char* name = Language::nameOf(id);
        if (reserved.count(id) != 0) {
            EXPECT_EQ(name, nullptr) << id << " is reserved";
            continue;
        }
        ASSERT_NE(name, nullptr) << id;
        const std::string text(name);
        EXPECT_TRUE(seen.insert(text).second) << text << " named twice";
        EXPECT_GE(text.size(), 1u);
        EXPECT_LE(text.size(), 23u) << text;
        const bool keyName = text.rfind("DIK_", 0) == 0;
        EXPECT_EQ(keyName, isKeyName(id)) << text;
        for (char c : text) {
            EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || (c == '_' && keyName))
                << text;
        }
        EXPECT_EQ(language.getTextByString(name, true), language.getText(static_cast<Language::StringsEnum>(id)))
            << text;
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(Language::STRING_COUNT) - reserved.size());
    EXPECT_EQ(Language::nameOf(-1), nullptr);
    EXPECT_EQ(Language::nameOf(Language::STRING_COUNT), nullptr);
    EXPECT_STREQ(Language::nameOf(571), "ERRORINCOMPATIBLEGAME");
    EXPECT_STREQ(Language::nameOf(772), "TIPTWINTRACKS");
}

TEST_F(LanguageTest, EveryByteIsAllowedForItsLanguageAndIdentifier)
{
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        const std::string letters = lettersOf(lang);
        for (int id = 0; id < Language::STRING_COUNT; ++id) {
            const std::string t = text(lang, id);
            for (size_t i = 0; i < t.size(); ++i) {
                const auto byte = static_cast<unsigned char>(t[i]);
                SCOPED_TRACE(testing::Message() << LANGUAGE_LABELS[lang] << " " << id << " byte " << i);
                if (byte < 0x20) {
                    EXPECT_TRUE(iconAllowed(lang, id, byte)) << int(byte);
                } else if (byte >= 0x7F) {
                    EXPECT_NE(letters.find(static_cast<char>(byte)), std::string::npos) << int(byte);
                }
                if (byte == 0xA0) {
                    // French before "!", "?", ":" and "%", German before "%" only.
                    ASSERT_LT(i + 1, t.size());
                    const char next = t[i + 1];
                    EXPECT_TRUE(lang == 1 ? std::strchr("!?:%", next) != nullptr : next == '%');
                }
            }
            EXPECT_EQ(t.find("%%"), std::string::npos);
        }
    }
}

// The conversions of every text, in every language, are the ones its caller
// passes arguments for; the rest have none.
TEST_F(LanguageTest, PlaceholdersMatchTheCallersArguments)
{
    using C = std::vector<std::string>;
    const std::map<int, C> formatted = {
        {Language::HELLO, {"%s"}},
        {Language::FAILEDWITHCODE, {"%d"}},
        {Language::ERRORREPORTUPLOADING, {"%s"}},
        {Language::ERRORMINVERSIONCLIENT, {"%s", "%.2lf"}},
        {Language::ERRORMINVERSIONSERVER, {"%s", "%.2lf"}},
        {Language::CONNECTEDTO, {"%s"}},
        {Language::DISCONNECTEDFROM, {"%s"}},
        {Language::PLAYERJOINED, {"%s"}},
        {Language::PLAYERLEFT, {"%s"}},
        {Language::NEWWORLDTEXT, {"%s"}},
        {Language::STREAKX, {"%d"}},
        {Language::LEVELX, {"%d", "%d"}}};
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        for (int id = 0; id < Language::STRING_COUNT; ++id) {
            const auto found = formatted.find(id);
            EXPECT_EQ(conversionsOf(text(lang, id)), found == formatted.end() ? C{} : found->second)
                << LANGUAGE_LABELS[lang] << " " << id;
        }
        // The players' names stand in single quotes.
        EXPECT_NE(text(lang, Language::PLAYERJOINED).find("'%s'"), std::string::npos);
        EXPECT_NE(text(lang, Language::PLAYERLEFT).find("'%s'"), std::string::npos);
    }
}

TEST_F(LanguageTest, KeyNamesKeepTheirConventions)
{
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        for (int id = Language::DIK_NONE; id <= Language::DIK_MOUSEBUTTON3; ++id) {
            const std::string t = text(lang, id);
            SCOPED_TRACE(testing::Message() << LANGUAGE_LABELS[lang] << " " << Language::nameOf(id));
            EXPECT_LE(t.size(), 21u);
            EXPECT_EQ(t.empty(), id == Language::DIK_NONE);
            for (char c : t) {
                EXPECT_FALSE(c >= 'a' && c <= 'z') << "key names are written in capitals";
                EXPECT_EQ(std::strchr("|~", c), nullptr);
            }
        }
        // The fallback of the last code is the longest one.
        EXPECT_LE(text(lang, Language::DIK_UNKNOWN).size() + 4, 15u);
    }
}

// Untranslated slots show up as texts that read the same everywhere: only
// 58 key names and 28 countries do.
TEST_F(LanguageTest, KeyNamesAndCountriesSharedByAllLanguages)
{
    std::set<std::string> expected = {"DIK_NONE", "DIK_TAB", "DIK_KANA", "DIK_ABNT_C1", "DIK_CONVERT",
                                      "DIK_NOCONVERT", "DIK_YEN", "DIK_ABNT_C2", "DIK_NUMPADEQUALS",
                                      "DIK_AT", "DIK_KANJI", "DIK_STOP", "DIK_AX"};
    for (const char* letter : {"E", "R", "T", "U", "I", "O", "P", "S", "D", "F", "G", "H", "J", "K", "L",
                               "X", "C", "V", "B", "N", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}) {
        expected.insert(std::string("DIK_") + letter);
    }
    for (int n = 1; n <= 15; ++n) {
        expected.insert("DIK_F" + std::to_string(n));
    }
    ASSERT_EQ(expected.size(), 58u);
    EXPECT_EQ(namesOfSharedTexts(Language::DIK_NONE, Language::DIK_MOUSEBUTTON3), expected);

    const std::set<std::string> countries = {
        "COUNTRYAD", "COUNTRYAO", "COUNTRYAW", "COUNTRYBS", "COUNTRYBF", "COUNTRYBI", "COUNTRYCR",
        "COUNTRYGH", "COUNTRYGU", "COUNTRYGT", "COUNTRYHN", "COUNTRYKI", "COUNTRYLI", "COUNTRYMW",
        "COUNTRYML", "COUNTRYYT", "COUNTRYNR", "COUNTRYNI", "COUNTRYNE", "COUNTRYPY", "COUNTRYWS",
        "COUNTRYLK", "COUNTRYSR", "COUNTRYTG", "COUNTRYTO", "COUNTRYTV", "COUNTRYUY", "COUNTRYVU"};
    EXPECT_EQ(namesOfSharedTexts(Language::COUNTRYAF, Language::COUNTRYZW), countries);
}

TEST_F(LanguageTest, CountryNamesKeepTheirConventions)
{
    const size_t longest[LANGUAGE_MAX] = {38, 43, 44, 41, 47};
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        const std::string letters = countryLettersOf(lang);
        for (int id = Language::COUNTRYNONE; id <= Language::COUNTRYZW; ++id) {
            const std::string t = text(lang, id);
            SCOPED_TRACE(testing::Message() << LANGUAGE_LABELS[lang] << " " << Language::nameOf(id));
            EXPECT_FALSE(t.empty());
            EXPECT_LE(t.size(), longest[lang]);
            EXPECT_NE(t.front(), ' ');
            EXPECT_NE(t.back(), ' ');
            for (char c : t) {
                const auto byte = static_cast<unsigned char>(c);
                EXPECT_GE(byte, 0x20) << "no icon bytes";
                EXPECT_EQ(std::string("|~%").find(c), std::string::npos) << c;
                if (byte >= 0x7F) {
                    EXPECT_NE(letters.find(c), std::string::npos) << int(byte);
                }
            }
        }
    }
    // The first four begin in lower case, the Spanish text with a capital.
    for (int lang = 0; lang < 4; ++lang) {
        EXPECT_TRUE(std::islower(static_cast<unsigned char>(text(lang, Language::COUNTRYNONE)[0])));
    }
    EXPECT_EQ(text(4, Language::COUNTRYNONE)[0], 'S');
}

// The country rows follow the English names, both case-insensitively and
// byte by byte, apart from three rows placed by hand.
TEST_F(LanguageTest, CountryRowsFollowTheEnglishNames)
{
    std::vector<std::string> names;
    for (int id = Language::COUNTRYAF; id <= Language::COUNTRYZW; ++id) {
        if (id != Language::COUNTRYMK && id != Language::COUNTRYRS && id != Language::COUNTRYME) {
            names.push_back(text(0, id));
        }
    }
    ASSERT_EQ(names.size(), 237u);
    for (size_t i = 1; i < names.size(); ++i) {
        EXPECT_LT(strcasecmp(names[i - 1].c_str(), names[i].c_str()), 0) << names[i - 1] << " / " << names[i];
        EXPECT_LT(names[i - 1], names[i]);
    }
    // The three exceptions, by their neighbours.
    EXPECT_EQ(Language::COUNTRYMK, Language::COUNTRYMO + 1);
    EXPECT_EQ(Language::COUNTRYMG, Language::COUNTRYMK + 1);
    EXPECT_EQ(Language::COUNTRYRS, Language::COUNTRYYE + 1);
    EXPECT_EQ(Language::COUNTRYME, Language::COUNTRYRS + 1);
    EXPECT_EQ(Language::COUNTRYZM, Language::COUNTRYME + 1);
}
