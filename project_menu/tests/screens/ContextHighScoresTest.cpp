// The high-score table and its options after a real start-up: the level
// column's world and stage for every level index (none for an index no
// stage has), and a reset that happens only after a Yes and is written at
// once.
#include "screens/ContextHighScores.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "context/ContextDialog.h"
#include "global/UserFiles.h"
#include "global/WebService.h"
#include "gui/MenuButton.h"
#include "screens/ContextHighScoresOptions.h"
#include "screens/ScreenCore.h"

TEST(ContextHighScores, TheLevelColumnNamesWorldAndStage)
{
    ScreenCore core;
    struct Case {
        i32 level;
        const char* shown;
    };
    const Case cases[] = {
        {0, "Level 1-1"},   {3, "Level 1-4"},   {4, "Level 2-1"}, {12, "Level 4-1"}, {82, "Level 15-1"},
        {89, "Level 15-8"}, {90, ""},           {-1, ""},         {INT_MAX, ""},     {INT_MIN, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ContextHighScores::levelText(c.level), c.shown) << "level " << c.level;
    }
}

TEST(ContextHighScoresOptions, ResetScoresClearsTheTableOnlyAfterYes)
{
    ScreenCore core;
    SettingsRecord& record = core.global->settings;
    std::strcpy(record.highScores[0].name, "Zed");
    record.highScores[0].score = 123456;
    record.highScores[0].level = 47;
    core.global->profiles.lastPlace = 0;
    auto* table = new ContextHighScores();
    core.manager()->add(table);
    core.frame();
    core.click(table->buttonOptions->position.x, table->buttonOptions->position.y);
    auto* options = dynamic_cast<ContextHighScoresOptions*>(core.manager()->getActive());
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->buttonWorldWide->url, webServiceAddress("/vabo/highscoretable.php"));
    EXPECT_FALSE(options->uploadButton->bInactive);

    const V3 reset = options->resetButton->position;
    for (const bool yes : {false, true}) {
        core.click(reset.x, reset.y);
        auto* dialog = dynamic_cast<ContextDialog*>(core.manager()->getActive());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->text, "Are you sure?");
        const V3 answer = (yes ? dialog->buttonA : dialog->buttonB)->position;
        core.click(answer.x, answer.y);
        core.frame();
        EXPECT_EQ(core.manager()->getActive(), options);
        EXPECT_EQ(record.highScores[0].score, yes ? 100000 : 123456);
        EXPECT_STREQ(record.highScores[0].name, yes ? "" : "Zed");
        EXPECT_EQ(core.global->profiles.lastPlace, yes ? -1 : 0);
        EXPECT_EQ(isOnDisk(record), yes) << "the reset table is written at once";
    }
    EXPECT_EQ(record.highScores[9].score, 10000);
    EXPECT_EQ(record.highScores[0].level, 0);

    core.type(SDLK_ESCAPE);
    EXPECT_EQ(core.manager()->getActive(), table);
}
