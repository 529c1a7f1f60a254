// The rows of the country chooser, their display order and the jump by
// letter.
#include <cstring>

#include "language/CountryList.h"
#include "language/LanguageTestSupport.h"

TEST(CountryList, RowsCarryTheCodesOfTheirIdentifiers)
{
    EXPECT_STREQ(getCountryCode(0), "--");
    EXPECT_STREQ(getCountryCode(1), "AF");
    EXPECT_STREQ(getCountryCode(3), "DZ");
    EXPECT_STREQ(getCountryCode(240), "ZW");
    EXPECT_EQ(getCountryCode(-1), nullptr);
    EXPECT_EQ(getCountryCode(241), nullptr);
    for (int row = 1; row < COUNTRY_ROWS; ++row) {
        EXPECT_EQ(std::string("COUNTRY") + getCountryCode(row), Language::nameOf(getCountryTextId(row)));
    }
    EXPECT_EQ(getCountryTextId(0), Language::COUNTRYNONE);
    EXPECT_EQ(getCountryTextId(240), Language::COUNTRYZW);
}

TEST(CountryList, PositionsFollowTheCodes)
{
    EXPECT_EQ(getCountryRowAt(0), 0);
    for (int position = 2; position < COUNTRY_ROWS; ++position) {
        EXPECT_LT(std::strcmp(getCountryCode(getCountryRowAt(position - 1)),
                              getCountryCode(getCountryRowAt(position))),
                  0);
    }
    const std::pair<int, Language::StringsEnum> telling[] = {
        {1, Language::COUNTRYAD},   {2, Language::COUNTRYAE},   {3, Language::COUNTRYAF},
        {8, Language::COUNTRYAN},   {54, Language::COUNTRYDE},  {73, Language::COUNTRYFX},
        {135, Language::COUNTRYME}, {183, Language::COUNTRYRS}, {215, Language::COUNTRYTP},
        {240, Language::COUNTRYZW},
    };
    for (const auto& [position, id] : telling) {
        EXPECT_EQ(getCountryTextId(getCountryRowAt(position)), id) << position;
    }
    EXPECT_EQ(getCountryRowAt(8), 153);
    EXPECT_EQ(getCountryRowAt(54), 82);
    EXPECT_EQ(getCountryRowAt(215), 62);
    EXPECT_EQ(getCountryRowAt(-1), -1);
    EXPECT_EQ(getCountryRowAt(COUNTRY_ROWS), -1);
}

TEST(CountryList, LettersJumpByCode)
{
    const int de = 54;
    EXPECT_EQ(findCountryByLetter(0, 'd'), de);
    EXPECT_EQ(findCountryByLetter(240, 'a'), 1);  // the search wraps
    const int ga = findCountryByLetter(0, 'g');
    EXPECT_STREQ(getCountryCode(getCountryRowAt(ga)), "GA");
    EXPECT_STREQ(getCountryCode(getCountryRowAt(findCountryByLetter(ga, 'g'))), "GB");
    EXPECT_EQ(findCountryByLetter(de, '-'), 0);
    for (int position : {0, 17, de, 240}) {
        EXPECT_EQ(findCountryByLetter(position, 'x'), position);
        EXPECT_EQ(findCountryByLetter(position, 'D'), position);
        EXPECT_EQ(findCountryByLetter(position, 'A'), position);
    }
    // "s" steps through the S codes and never reaches ES (Spain).
    int position = 0;
    for (int step = 0; step < 30; ++step) {
        position = findCountryByLetter(position, 's');
        EXPECT_EQ(getCountryCode(getCountryRowAt(position))[0], 'S');
    }
}

TEST_F(LanguageTest, CountryRowsShowTheirTexts)
{
    language.setCurrentLanguage(3);
    EXPECT_STREQ(language.getText(getCountryTextId(getCountryRowAt(54))), "Germania");
}
