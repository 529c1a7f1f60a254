// The loader's stage list: its counts in the three language modes, and
// where the optional code-page groups fall.
#include <gtest/gtest.h>

#include "engine/Qel.h"
#include "language/Language.h"
#include "loader/LoaderStages.h"
#include "support/EngineCore.h"

namespace {

int numberOf(const std::vector<LoaderStage>& stages, LoaderStageKind kind, int index = 0)
{
    for (size_t i = 0; i < stages.size(); ++i) {
        if (stages[i].kind == kind && stages[i].index == index) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

} // namespace

TEST(LoaderStages, MultiLanguageRunHasOneHundredStagesInTheirPlaces)
{
    const auto stages = buildLoaderStages(LoaderMode{true, UString("ignored in this mode")});
    ASSERT_EQ(stages.size(), 100u);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::NOTHING), 1);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::MUSIC, 0), 2);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::START_MENU_MUSIC), 3);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::MUSIC, 5), 8);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::EARLY_IMAGE, 0), 9);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::FONT_TEXTURE, 0), 11);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::FONT_TEXTURE, 7), 18);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::IMAGE, 0), 19);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::IMAGE, 34), 53) << "bearHand";
    EXPECT_EQ(numberOf(stages, LoaderStageKind::IMAGE, 38), 57);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::LEVEL_IMAGES), 58);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::SOUND, 0), 59);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::SOUND, 33), 92);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::FONT, 0), 93);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::FONT, 4), 97);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::SETTINGS), 98);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::LANGUAGE), 99);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::HAND_OVER), 100);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::CODEPAGE_TEXTURES), 0);
    EXPECT_EQ(numberOf(stages, LoaderStageKind::ATTACH_CODEPAGE), 0);
}

TEST(LoaderStages, SingleLanguageAttachesCodepagesAndLoadsThemOnlyWithACodepage)
{
    const auto plain = buildLoaderStages(LoaderMode{false, UString()});
    ASSERT_EQ(plain.size(), 104u);
    EXPECT_EQ(numberOf(plain, LoaderStageKind::CODEPAGE_TEXTURES), 0);
    EXPECT_EQ(numberOf(plain, LoaderStageKind::ATTACH_CODEPAGE, 0), 98);
    EXPECT_EQ(numberOf(plain, LoaderStageKind::ATTACH_CODEPAGE, 3), 101);
    EXPECT_EQ(numberOf(plain, LoaderStageKind::HAND_OVER), 104);

    const auto codepage = buildLoaderStages(LoaderMode{false, UString("cp1250")});
    ASSERT_EQ(codepage.size(), 108u);
    EXPECT_EQ(numberOf(codepage, LoaderStageKind::CODEPAGE_TEXTURES, 0), 19);
    EXPECT_EQ(numberOf(codepage, LoaderStageKind::CODEPAGE_TEXTURES, 3), 22);
    EXPECT_EQ(numberOf(codepage, LoaderStageKind::IMAGE, 0), 23);
    EXPECT_EQ(numberOf(codepage, LoaderStageKind::HAND_OVER), 108);
}

TEST(LoaderStages, EveryLanguageOfTheGameHasNoCodepageAndAnOutOfRangeSingleLanguageReadsLanguageZero)
{
    EngineCore core;
    core.qel->language = new Language();
    for (int language : {0, 1, 2, 3, 4, 9, -3}) {
        core.qel->singleLanguage = language;
        EXPECT_EQ(singleLanguageCodepage(), "") << language;
    }
    core.qel->bMultilanguage = false;
    EXPECT_EQ(buildLoaderStages(currentLoaderMode()).size(), 104u);
    core.qel->bMultilanguage = true;
    EXPECT_EQ(buildLoaderStages(currentLoaderMode()).size(), 100u);
    delete core.qel->language;
    core.qel->language = nullptr;
}
