// The player list and the name entry after a real start-up: which row a
// click picks, the rules of typing a name, and Add, Delete and the row
// choice acting on the profiles, each written to the player store at once.
#include "screens/ContextUserManager.h"

#include <gtest/gtest.h>

#include "context/ContextDialog.h"
#include "global/UserFiles.h"
#include "graphics/FontQuad.h"
#include "gui/MenuButton.h"
#include "screens/ContextNewUser.h"
#include "screens/ScreenCore.h"
#include "text/RenderableText.h"

TEST(ContextUserManager, ARowOwnsItsTopEdgeAndTheLeftEdgeOfItsBox)
{
    struct Case {
        float x;
        float y;
        int rows;
        int row;
    };
    const Case cases[] = {
        {0.0f, 135.0f, 2, 0},   {0.0f, 150.0f, 2, 0},  {0.0f, 150.5f, 2, -1}, {0.0f, 120.0f, 2, 1},
        {0.0f, 120.0f, 1, -1},  {-150.0f, 135.0f, 2, 0}, {-150.5f, 135.0f, 2, -1}, {150.0f, 135.0f, 2, -1},
        {149.5f, 95.0f, 2, 1},  {0.0f, 90.0f, 2, -1},  {0.0f, -60.0f, 8, 7},  {0.0f, -100.0f, 10, 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ContextUserManager::rowAt(c.x, c.y, c.rows), c.row) << c.x << ", " << c.y << " of " << c.rows;
    }
}

TEST(ContextNewUser, ANameTakesFifteenAllowedCharactersAndEnterMakesThePlayer)
{
    ScreenCore core;
    core.global->settings.tutorial = false;
    auto* entry = new ContextNewUser();
    core.manager()->add(entry);
    core.frame();
    EXPECT_TRUE(entry->okButton->bInactive);
    core.type(SDLK_RETURN, 13);
    core.type(SDLK_ESCAPE, 27);
    EXPECT_EQ(core.manager()->getActive(), entry) << "no way out without a name";
    core.type(SDLK_BACKSPACE, 8);
    EXPECT_EQ(entry->name, "");

    core.type(SDLK_a, 'A');
    core.type(SDLK_BACKQUOTE, '`');
    core.type(SDLK_BACKQUOTE, '~');
    core.type(SDLK_SPACE, ' ');
    core.type(SDLK_QUOTE, '\'');
    EXPECT_EQ(entry->name, "A '");
    for (const char ch : std::string("bcdefghijklmnop")) {
        core.type(SDLK_a + (ch - 'a'), ch);
    }
    EXPECT_EQ(entry->name, "A 'bcdefghijklm") << "fifteen at most";
    core.type(SDLK_BACKSPACE, 8);
    EXPECT_EQ(entry->name, "A 'bcdefghijkl");
    EXPECT_FALSE(entry->okButton->bInactive);
    // The name is centred with its cursor counted, blinking or not.
    const int width = core.global->fontLarge->getTextSize(entry->name + "_").width;
    EXPECT_EQ(entry->nameText->position.x, float(-(width / 2)));

    core.type(SDLK_RETURN, 13);
    EXPECT_EQ(core.manager()->getActive(), nullptr);
    const ProfileStore& profiles = core.global->profiles;
    ASSERT_EQ(profiles.countProfiles(), 1);
    EXPECT_STREQ(profiles.getProfile(profiles.currentIndex).name, "A 'bcdefghijkl");
    EXPECT_TRUE(isOnDisk(profiles)) << "the new player is written at once";
    EXPECT_TRUE(core.global->settings.tutorial);
}

TEST(ContextUserManager, RowsSelectAndDeleteRemovesTheCurrentPlayerAfterYes)
{
    ScreenCore core;
    ProfileStore& profiles = core.global->profiles;
    for (const char* name : {"Ace", "Jet", "Kim"}) {
        profiles.createProfile(name);
    }
    auto* players = new ContextUserManager();
    core.manager()->add(players);
    core.frame();
    EXPECT_EQ(profiles.currentIndex, 2);
    EXPECT_FALSE(players->addButton->bInactive);
    EXPECT_FALSE(players->deleteButton->bInactive);

    core.click(0.0f, 105.0f);
    EXPECT_EQ(profiles.currentIndex, 1);
    EXPECT_TRUE(isOnDisk(profiles)) << "the choice is written at once";
    const V3 del = players->deleteButton->position;
    core.click(del.x, del.y);
    auto* dialog = dynamic_cast<ContextDialog*>(core.manager()->getActive());
    ASSERT_NE(dialog, nullptr);
    core.click(dialog->buttonA->position.x, dialog->buttonA->position.y);
    core.frame();
    EXPECT_EQ(profiles.countProfiles(), 2);
    EXPECT_STREQ(profiles.getProfile(1).name, "Kim");
    EXPECT_EQ(profiles.currentIndex, 1) << "the next player moved into the slot";
    EXPECT_TRUE(isOnDisk(profiles)) << "the deletion is written at once";

    core.click(0.0f, 135.0f);
    core.click(del.x, del.y);
    dialog = dynamic_cast<ContextDialog*>(core.manager()->getActive());
    ASSERT_NE(dialog, nullptr);
    core.click(dialog->buttonA->position.x, dialog->buttonA->position.y);
    core.frame();
    EXPECT_EQ(profiles.countProfiles(), 1);
    EXPECT_STREQ(profiles.getProfile(0).name, "Kim");
    EXPECT_TRUE(players->deleteButton->bInactive) << "the last player stays";

    core.click(players->addButton->position.x, players->addButton->position.y);
    EXPECT_NE(dynamic_cast<ContextNewUser*>(core.manager()->getActive()), nullptr);
    EXPECT_TRUE(players->bFinished) << "the list goes with the name entry";
}
