// Every menu screen drawn after a real start-up and saved in the build
// folder (screenshots/), to be looked at: the main menu with a button under
// the pointer, the high-score table with a pulsing entry and its options,
// the options menu and its four pages, the help, the player list over a
// screen, the name entry being typed and the credits mid-scroll.
#include <gtest/gtest.h>

#include <cstring>

#include "screens/ContextCredits.h"
#include "screens/ContextHelp.h"
#include "screens/ContextHighScores.h"
#include "screens/ContextHighScoresOptions.h"
#include "screens/ContextMain.h"
#include "screens/ContextNewUser.h"
#include "screens/ContextOptions.h"
#include "screens/ContextOptionsControls.h"
#include "screens/ContextOptionsGameplay.h"
#include "screens/ContextOptionsGraphics.h"
#include "screens/ContextOptionsSound.h"
#include "screens/ContextScroller.h"
#include "screens/ContextUserManager.h"
#include "screens/ScreenCore.h"

namespace {

class MenuScreensScreenshot : public testing::Test {
protected:
    // The screen on the stack for a few frames, the pointer at (x, y),
    // then drawn and saved.
    void show(Context* screen, const std::string& name, float x = 300.0f, float y = 200.0f)
    {
        core.manager()->add(screen);
        core.mouse = V3(x, y, 0.0f);
        for (int i = 0; i < 20; ++i) {
            core.frame();
        }
        core.screenshot(name);
    }

    ScreenCore core;
};

} // namespace

TEST_F(MenuScreensScreenshot, MainMenuWithAButtonHovered)
{
    core.global->profiles.createProfile("Ace");
    show(new ContextMain(), "main-menu-hovered", 0.0f, 0.0f);
}

TEST_F(MenuScreensScreenshot, HighScoresAndTheirOptions)
{
    SettingsRecord& record = core.global->settings;
    record.resetHighScores();
    std::strcpy(record.highScores[2].name, "Ace");
    record.highScores[2].score = 81250;
    record.highScores[2].level = 17;
    core.global->profiles.lastPlace = 2;
    show(new ContextHighScores(), "highscores");
    show(new ContextHighScoresOptions(), "highscores-options", 0.0f, -50.0f);
}

TEST_F(MenuScreensScreenshot, HelpPlayersAndNameEntry)
{
    show(new ContextHelp(), "help", 0.0f, 50.0f);
    for (const char* name : {"Ace", "Jet", "Kim"}) {
        core.global->profiles.createProfile(name);
    }
    core.global->profiles.selectProfile(1);
    show(new ContextUserManager(), "players", -160.0f, -128.0f);
    core.manager()->getActive()->bFinished = 1;
    auto* entry = new ContextNewUser();
    entry->name = "Lou";
    show(entry, "name-entry");
}

TEST_F(MenuScreensScreenshot, CreditsMidScroll)
{
    auto* credits = new ContextCredits();
    core.manager()->add(credits);
    while (credits->time < 14.0) {
        core.frame(0.05);
    }
    core.screenshot("credits");
}

TEST_F(MenuScreensScreenshot, OptionsMenuAndPages)
{
    show(new ContextOptions(), "options", 0.0f, -150.0f);
    show(new ContextOptionsGameplay(), "options-gameplay", 0.0f, 50.0f);
    show(new ContextOptionsControls(), "options-controls", 64.0f, -50.0f);
    show(new ContextOptionsGraphics(), "options-graphics", 255.0f, 60.0f);
    core.global->settings.soundVolume = 17;
    show(new ContextOptionsSound(), "options-sound", 64.0f, 50.0f);
}
