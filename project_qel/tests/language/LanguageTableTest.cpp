// Construction, lookup by identifier and by name, language selection and the
// fatal paths of the text table.
#include <cstring>

#include "language/LanguageTexts.h"
#include "language/LanguageTestSupport.h"

namespace {

// A copy of the compiled table that a test can damage.
struct EditableSource {
    const char* slots[LANGUAGE_MAX][Language::STRING_COUNT];

    EditableSource() { std::memcpy(slots, languageSourceTexts, sizeof slots); }
    const Language::SourceTable& table() const
    {
        return reinterpret_cast<const Language::SourceTable&>(slots);
    }
};

}  // namespace

TEST_F(LanguageTest, ConstructionLeavesACompleteTableAndNoLanguage)
{
    EXPECT_EQ(language.getCurrentLanguage(), -1);
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        for (int id = 0; id < Language::STRING_COUNT; ++id) {
            ASSERT_NE(language.getTextIn(lang, id), nullptr) << "language " << lang << " id " << id;
            EXPECT_EQ(language.getTextIn(lang, id), languageSourceTexts[lang][id]);
        }
    }
}

TEST_F(LanguageTest, ReadsFollowTheSelectionUnlessALanguageIsGiven)
{
    language.setCurrentLanguage(1);
    EXPECT_EQ(language.getCurrentLanguage(), 1);
    EXPECT_EQ(language.getText(Language::LANGUAGENAME), latin1(u8"Français"));
    language.setCurrentLanguage(4);
    for (int id = 0; id < Language::STRING_COUNT; ++id) {
        EXPECT_EQ(language.getText(static_cast<Language::StringsEnum>(id)), language.getTextIn(4, id));
    }
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        EXPECT_EQ(language.getTextIn(lang, Language::LANGUAGENAME), languageSourceTexts[lang][1]);
    }
}

TEST_F(LanguageTest, LookupByNameFindsTheSamePointerOrTheEmptyText)
{
    language.setCurrentLanguage(2);
    EXPECT_STREQ(language.getTextByString("LANGUAGENAME", false), "Deutsch");
    EXPECT_EQ(language.getTextByString("LANGUAGENAME", false), language.getText(Language::LANGUAGENAME));
    EXPECT_EQ(language.getTextByString("LANGUAGENAME", true), language.getText(Language::LANGUAGENAME));
    EXPECT_EQ(language.getTextByString("NULL", true), language.getText(Language::NULLTEXT));
    EXPECT_EQ(language.getTextByString("COUNTRYZW", true), language.getText(Language::COUNTRYZW));
    // Unknown names without a report.
    for (const char* name : {"languagename", "", "NULLTEXT", "DIK_", "COUNTRYXX", "460", "LANGUAGENAME "}) {
        const char* found = language.getTextByString(name, false);
        ASSERT_NE(found, nullptr) << name;
        EXPECT_STREQ(found, "") << name;
    }
}

TEST_F(LanguageTest, ReadsOutsideTheTableNeverLeaveIt)
{
#ifdef NDEBUG
    // Release builds answer with the empty text.
    EXPECT_STREQ(language.getText(Language::YES), "");
    language.setCurrentLanguage(0);
    EXPECT_STREQ(language.getText(static_cast<Language::StringsEnum>(Language::STRING_COUNT)), "");
    EXPECT_STREQ(language.getText(static_cast<Language::StringsEnum>(-1)), "");
    EXPECT_STREQ(language.getTextIn(LANGUAGE_MAX, 1), "");
    EXPECT_STREQ(language.getTextIn(-1, 1), "");
    EXPECT_STREQ(language.getTextIn(0, 100000), "");
#else
    EXPECT_EXIT((reportOnStderr(), language.getText(Language::YES)), testing::ExitedWithCode(255),
                "Statement: language>=0&&language<LANGUAGE_MAX");
    language.setCurrentLanguage(0);
    EXPECT_EXIT((reportOnStderr(), language.getTextIn(0, Language::STRING_COUNT)),
                testing::ExitedWithCode(255), "Statement: id>=0&&id<STRING_COUNT");
#endif
}

TEST_F(LanguageTest, UnknownNamesWithReportAndLanguagesOutOfRangeAreFatal)
{
    language.setCurrentLanguage(0);
    EXPECT_EXIT((reportOnStderr(), language.getTextByString("languagename", true)),
                testing::ExitedWithCode(255),
                "Error: Unknown string identifier 'languagename'\n Function: getTextByString\\(\\)\n "
                "File: .*Language.cpp\n Line: [0-9]+");
    EXPECT_EXIT((reportOnStderr(), language.getTextByString("", true)), testing::ExitedWithCode(255),
                "Unknown string identifier ''");
    EXPECT_EXIT((reportOnStderr(), language.setCurrentLanguage(5)), testing::ExitedWithCode(255),
                "Error: Assertion failed.\n Statement: currentLanguage<LANGUAGE_MAX\n "
                "Function: setCurrentLanguage\\(\\)\n File: .*Language.cpp\n Line: [0-9]+");
    EXPECT_EXIT((reportOnStderr(), language.setCurrentLanguage(-1)), testing::ExitedWithCode(255),
                "Statement: currentLanguage>=0\n Function: setCurrentLanguage");
}

TEST(LanguageConstruction, TheFirstMissingTextInSlotOrderStopsConstruction)
{
    EngineCore core;
    EditableSource source;
    source.slots[2][Language::PLACEHOLDER0] = nullptr;
    EXPECT_EXIT((reportOnStderr(), Language{source.table()}), testing::ExitedWithCode(255),
                "Error: String 5 is missing from language 2.\n Function: Language\\(\\)\n "
                "File: .*Language.cpp\n Line: [0-9]+");
    source.slots[2][Language::PLACEHOLDER0] = languageSourceTexts[2][Language::PLACEHOLDER0];
    source.slots[4][3] = nullptr;
    source.slots[3][700] = nullptr;
    source.slots[3][12] = nullptr;
    EXPECT_EXIT((reportOnStderr(), Language{source.table()}), testing::ExitedWithCode(255),
                "String 12 is missing from language 3\\.");
}
