// Every screen behind the main menu driven in the real program as a player
// drives it, from a fresh per-user folder, with an opener on the PATH that
// only writes down the address it is given: the first player's name typed
// with keys it refuses, the player list, one change on each option page
// (the video mode rebuilding the window at 1024 x 768), the language
// reset, the high-score table and its reset, the credits, and the help's
// documentation ending the program. The players and settings are on disk
// as soon as the option pages are left, and again at the end; a second
// start asks for the language, keeps every change and ends through the
// world-wide scores. The screenshots it takes are kept in the build folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "GameProcess.h"
#include "global/ProfileStore.h"
#include "global/SettingsRecord.h"
#include "global/WebService.h"

namespace {

constexpr u32 LANGUAGE_SCREEN_BLUE = 0x301000;
constexpr u32 BUTTON_GREEN = 0x276922;
constexpr u32 PANEL_BLUE = 0x7B4B29;
// The left end of the main menu's start button; a point of every panel
// (name entry, player list, dialog) over the menu.
constexpr float START_X = -140.0f;
constexpr float PANEL_Y = 42.0f;
// The greeting, and the Yes and No of a question.
constexpr float GREETING_Y = 110.0f;
constexpr float YES_X = -85.0f;
constexpr float NO_X = 85.0f;
constexpr float ANSWER_Y = -25.0f;
// The bottom-left BACK, OK or Done of a screen.
constexpr float CORNER_X = -300.0f;
constexpr float CORNER_Y = -250.0f;

class MenuScreensEndToEnd : public testing::Test {
protected:
    MenuScreensEndToEnd()
    {
        core.files->bUseWad = false;
        e2e::makeGameFolders(game, user);
        const std::string bin = core.folder.path + "/bin";
        std::filesystem::create_directories(bin);
        TempFolder::writeFile(bin + "/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + opened + "\"\n");
        std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
        const char* path = std::getenv("PATH");
        pathVariable = "PATH=" + bin + ":" + (path != nullptr ? path : "");
    }

    std::string userFile(const std::string& name) const { return TempFolder::readFile(user + "/1.30/" + name); }
    static size_t count(const std::string& text, const std::string& part)
    {
        size_t n = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
            ++n;
        }
        return n;
    }
    static bool menuShows(e2e::GameProcess& run) { return run.waitForViewColour(START_X, 0.0f, BUTTON_GREEN, 10.0); }
    // The language screen answered with English, 150 units above the centre.
    static void chooseEnglish(e2e::GameProcess& run)
    {
        ASSERT_TRUE(run.waitForColour(4, 4, LANGUAGE_SCREEN_BLUE, 60.0)) << run.log();
        run.clickAt(0.0f, 150.0f);
    }
    // The newest screenshot kept in the build folder under the name; its
    // width and height.
    std::pair<int, int> keep(e2e::GameProcess& run, const std::string& name)
    {
        auto image = run.screenshot();
        if (image == nullptr) {
            ADD_FAILURE() << "no screenshot for " << name;
            return {0, 0};
        }
        std::filesystem::create_directories(VABO_SCREENSHOT_DIR);
        std::filesystem::copy_file(run.screenshots().back(), VABO_SCREENSHOT_DIR "/e2e-" + name + ".jpg",
                                   std::filesystem::copy_options::overwrite_existing);
        return {image->width, image->height};
    }
    // The players and the settings as the game saved them, read from a
    // copy so that reading them changes nothing.
    template <class Check>
    void readSavedFiles(Check check)
    {
        const std::string scratch = core.folder.path + "/scratch";
        std::filesystem::create_directories(scratch + "/1.30");
        for (const char* name : {"Vabodemo.pro", "Vabodemo.hst"}) {
            if (!std::filesystem::exists(user + "/1.30/" + name)) {
                ADD_FAILURE() << name << " is not on disk";
                return;
            }
            std::filesystem::copy_file(user + "/1.30/" + name, scratch + "/1.30/" + name,
                                       std::filesystem::copy_options::overwrite_existing);
        }
        setenv("U3_APP_DATA_PATH", scratch.c_str(), 1);
        {
            ProfileStore profiles;
            SettingsRecord record;
            check(profiles, record);
        }
        setenv("U3_APP_DATA_PATH", core.folder.path.c_str(), 1);
    }

    FileCore core{false, false};
    std::string game = core.folder.path + "/game";
    std::string user = core.folder.path + "/user";
    std::string opened = core.folder.path + "/opened";
    std::string pathVariable;
    // Larger than the biggest window, which must fit inside the desktop.
    e2e::VirtualDisplay x{"1280x1024x24"};
};

} // namespace

TEST_F(MenuScreensEndToEnd, EveryScreenBehindTheMainMenuAndItsSettingsKeptForTheNextStart)
{
    ASSERT_FALSE(x.display.empty()) << "no X server";
    // The players and the options as steps 2 and 3 leave them.
    const auto playersAndOptionsChanged = [](ProfileStore& profiles, SettingsRecord& record) {
        EXPECT_EQ(profiles.countProfiles(), 1);
        EXPECT_STREQ(profiles.getProfile(0).name, "Ace");
        EXPECT_EQ(profiles.currentIndex, 0);
        EXPECT_FALSE(record.tutorial);
        EXPECT_TRUE(record.swapMouse);
        EXPECT_EQ(record.mouseSensitivity, 3);
        EXPECT_EQ(record.videoMode, 3);
        EXPECT_TRUE(record.showFps);
        EXPECT_FALSE(record.fullscreen);
        EXPECT_EQ(record.soundVolume, 23);
    };
    {
        e2e::GameProcess run(game, user, x, {pathVariable});
        chooseEnglish(run);
        // 1. The first start asks the name by itself; a Space that skipped
        // may have typed into it. A backquote, a tilde and a sixteenth
        // character are refused: twelve Backspaces leave "Ace".
        ASSERT_TRUE(run.skipToMainMenu()) << run.log();
        ASSERT_TRUE(run.waitForViewColour(START_X, PANEL_Y, PANEL_BLUE, 5.0)) << "no name entry";
        run.key("BackSpace");
        run.key("BackSpace");
        run.typeText("Ace");
        run.key("grave");
        run.key("asciitilde");
        run.typeText("xxxxxxxxxxxxy");
        keep(run, "name-entry");
        for (int i = 0; i < 12; ++i) {
            run.key("BackSpace");
        }
        run.key("Return");
        ASSERT_TRUE(menuShows(run));
        keep(run, "main-menu");

        // 2. The greeting opens the players; Add makes "Jet", who is
        // current; Delete after Yes leaves Ace, and then is disabled.
        run.clickAt(0.0f, GREETING_Y);
        ASSERT_TRUE(run.waitForViewColour(START_X, PANEL_Y, PANEL_BLUE, 5.0)) << "no player list";
        run.clickAt(-160.0f, -128.0f);
        run.typeText("Jet");
        run.key("Return");
        ASSERT_TRUE(menuShows(run));
        run.clickAt(0.0f, GREETING_Y);
        keep(run, "players");
        run.clickAt(0.0f, -128.0f);
        ASSERT_TRUE(run.waitForViewColour(YES_X - 40.0f, ANSWER_Y, BUTTON_GREEN, 5.0)) << "Delete asked nothing";
        run.clickAt(YES_X, ANSWER_Y);
        run.clickAt(0.0f, -128.0f);
        EXPECT_FALSE(run.waitForViewColour(YES_X - 40.0f, ANSWER_Y, BUTTON_GREEN, 1.0)) << "Delete with one player asked";
        run.clickAt(160.0f, -128.0f);
        ASSERT_TRUE(menuShows(run));

        // 3. Options: one change on each page.
        run.clickAt(0.0f, -100.0f);
        ASSERT_TRUE(run.waitForViewColour(START_X, 100.0f, BUTTON_GREEN, 5.0)) << "no options menu";
        keep(run, "options");
        run.clickAt(0.0f, 100.0f);
        run.clickAt(0.0f, 100.0f);
        keep(run, "options-gameplay");
        run.clickAt(CORNER_X, CORNER_Y);
        run.clickAt(0.0f, 0.0f);
        // The video mode's right arrow, then Show fps. Full screen goes
        // off too: the virtual X server has one full-screen mode, its own
        // size, so only a window can take the new size.
        run.clickAt(311.0f, 110.0f);
        run.clickAt(200.0f, 10.0f);
        run.clickAt(200.0f, -140.0f);
        keep(run, "options-graphics");
        run.clickAt(CORNER_X, CORNER_Y);
        e2e::pause(1.0);
        run.focusWindow();
        run.useWindow(1024, 768);
        EXPECT_EQ(keep(run, "options-after-graphics"), std::make_pair(1024, 768));
        // The sound volume's left arrow.
        run.clickAt(0.0f, -50.0f);
        run.clickAt(-40.0f, 50.0f);
        keep(run, "options-sound");
        run.clickAt(CORNER_X, CORNER_Y);
        // The language: a message, closed with Escape.
        run.clickAt(0.0f, -150.0f);
        keep(run, "options-language");
        run.key("Escape");
        // Controls last: its sensitivity scales the pointer's motion.
        run.clickAt(0.0f, 50.0f);
        run.clickAt(-39.0f, 0.0f);
        run.clickAt(168.0f, -50.0f);
        keep(run, "options-controls");
        run.clickAt(CORNER_X, CORNER_Y);
        run.pointerScale = 1.25f;
        ASSERT_TRUE(run.waitForViewColour(START_X, 100.0f, BUTTON_GREEN, 5.0)) << "not back on the options";
        run.clickAt(CORNER_X, CORNER_Y);
        ASSERT_TRUE(menuShows(run));
        // Already on disk while the game runs: the players, every option
        // page's change and the language reset.
        readSavedFiles(playersAndOptionsChanged);
        EXPECT_NE(userFile("Vabodemo.cfg").find("defaultLanguage=-1"), std::string::npos);

        // 4. High scores and their options: Reset answered No, then Yes.
        run.clickAt(0.0f, -50.0f);
        ASSERT_TRUE(run.waitForViewColour(152.0f, CORNER_Y, BUTTON_GREEN, 5.0)) << "no high scores";
        keep(run, "highscores");
        run.clickAt(252.0f, CORNER_Y);
        keep(run, "highscores-options");
        run.clickAt(0.0f, -50.0f);
        ASSERT_TRUE(run.waitForViewColour(NO_X + 40.0f, ANSWER_Y, BUTTON_GREEN, 5.0)) << "Reset asked nothing";
        run.clickAt(NO_X, ANSWER_Y);
        run.clickAt(0.0f, -50.0f);
        ASSERT_TRUE(run.waitForViewColour(YES_X - 40.0f, ANSWER_Y, BUTTON_GREEN, 5.0));
        run.clickAt(YES_X, ANSWER_Y);
        run.clickAt(0.0f, CORNER_Y);
        run.clickAt(CORNER_X, CORNER_Y);
        ASSERT_TRUE(menuShows(run));

        // 5. The credits rise into view; Space closes them.
        run.clickAt(0.0f, -150.0f);
        e2e::pause(4.0);
        keep(run, "credits");
        run.key("space");
        ASSERT_TRUE(menuShows(run));

        // 6. Help: the documentation ends the program.
        run.clickAt(0.0f, -100.0f);
        run.clickAt(0.0f, CORNER_Y);
        keep(run, "help");
        run.clickAt(0.0f, 50.0f);
        EXPECT_EQ(run.waitForExit(), 0);
        const std::string log = run.log();
        EXPECT_EQ(log.find("Error:"), std::string::npos) << log;
        const size_t ace = log.find("Changing profile to 'Ace'...");
        EXPECT_NE(ace, std::string::npos) << log.substr(log.size() > 3000 ? log.size() - 3000 : 0);
        EXPECT_NE(log.find("Changing profile to 'Jet'...", ace), std::string::npos);
        EXPECT_EQ(count(log, "Restarting to apply configuration."), 1u);

    }
    for (int i = 0; i < 50 && TempFolder::readFile(opened).empty(); ++i) {
        e2e::pause(0.1);
    }
    EXPECT_EQ(TempFolder::readFile(opened), "./readme.htm\n");
    EXPECT_TRUE(std::filesystem::exists(game + "/readme.htm"));

    readSavedFiles([&](ProfileStore& profiles, SettingsRecord& record) {
        playersAndOptionsChanged(profiles, record);
        EXPECT_EQ(record.highScores[0].score, 100000);
    });
    EXPECT_NE(userFile("Vabodemo.cfg").find("defaultLanguage=-1"), std::string::npos);

    // The second start asks the language again, opens at 1024 x 768, greets
    // Ace without asking a name and shows the changed values.
    std::filesystem::remove(opened);
    e2e::GameProcess again(game, user, x, {pathVariable});
    again.pointerScale = 1.25f;
    again.useWindow(1024, 768);
    chooseEnglish(again);
    ASSERT_TRUE(again.skipToMainMenu()) << again.log();
    ASSERT_TRUE(menuShows(again)) << "a name was asked again";
    EXPECT_EQ(keep(again, "second-start"), std::make_pair(1024, 768));
    again.clickAt(0.0f, -100.0f);
    const float pages[][2] = {{0.0f, 100.0f}, {0.0f, 50.0f}, {0.0f, 0.0f}, {0.0f, -50.0f}};
    const char* names[] = {"second-gameplay", "second-controls", "second-graphics", "second-sound"};
    for (int i = 0; i < 4; ++i) {
        again.clickAt(pages[i][0], pages[i][1]);
        keep(again, names[i]);
        again.clickAt(CORNER_X, CORNER_Y);
    }
    again.clickAt(CORNER_X, CORNER_Y);
    // World-wide scores end the program with the table's address.
    ASSERT_TRUE(menuShows(again));
    again.clickAt(0.0f, -50.0f);
    ASSERT_TRUE(again.waitForViewColour(152.0f, CORNER_Y, BUTTON_GREEN, 5.0)) << "no high scores";
    again.clickAt(252.0f, CORNER_Y);
    ASSERT_TRUE(again.waitForViewColour(START_X, 100.0f, BUTTON_GREEN, 5.0)) << "no high-score options";
    again.clickAt(0.0f, 100.0f);
    EXPECT_EQ(again.waitForExit(), 0);
    for (int i = 0; i < 50 && TempFolder::readFile(opened).empty(); ++i) {
        e2e::pause(0.1);
    }
    EXPECT_EQ(TempFolder::readFile(opened), webServiceAddress("/vabo/highscoretable.php") + "\n");
    EXPECT_NE(again.log().find("Changing profile to 'Ace'..."), std::string::npos);
    EXPECT_EQ(count(again.log(), "Restarting to apply configuration."), 0u);
}
