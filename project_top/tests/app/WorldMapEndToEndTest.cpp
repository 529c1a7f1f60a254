// The real program through the world map: a new user's first level, its
// intro page closed with Space, left with Alt+F4 in play and continued at
// the next start; and a player who has come to the end of the journey with
// a damaged saved game, which the map refuses, leaving its file as it was,
// while Play shows the closing screen of the journey instead of a level.
// Every run ends cleanly, with no crash files.
#include <gtest/gtest.h>

#include <cstdlib>

#include "GameProcess.h"
#include "global/ProfileStore.h"

namespace {

constexpr float START_BUTTON_X = -140.0f;
constexpr u32 BUTTON_GREEN = 0x45b14e;
// From the centre of the view to the map's play button.
constexpr int PLAY_BUTTON_X = -230;
constexpr int PLAY_BUTTON_Y = -200;
constexpr int OFF_THE_MENU = 150;

class WorldMapEndToEnd : public testing::Test {
protected:
    WorldMapEndToEnd()
    {
        core.files->bUseWad = false;
        std::filesystem::create_directories(game);
        std::filesystem::create_directories(user + "/1.30");
        std::filesystem::create_symlink(VABO_GAME_DIR "/Vabodemo.dat", game + "/Vabodemo.dat");
        std::filesystem::create_symlink(VABO_GAME_DIR "/Vabodemo.cfg.static", game + "/Vabodemo.cfg.static");
        // The language was chosen at an earlier start.
        TempFolder::writeFile(user + "/1.30/Vabodemo.cfg", "[Qel]\ndefaultLanguage=0\n");
    }

    // The player's profile, written by the game's own store into the
    // program's per-user folder; returns the saved game's file name.
    std::string writePlayer(int level)
    {
        const char* before = std::getenv("U3_APP_DATA_PATH");
        const std::string previous = before != nullptr ? before : "";
        setenv("U3_APP_DATA_PATH", user.c_str(), 1);
        std::string saved;
        {
            ProfileStore store;
            store.createProfile("Traveller");
            Profile& player = store.getProfile(store.currentIndex);
            player.level = level;
            player.bestLevel = level;
            player.score = 123456;
            player.hasSavedGame = true;
            saved = player.getSaveGameFileName().c_str();
        }
        setenv("U3_APP_DATA_PATH", previous.c_str(), 1);
        return saved;
    }

    // Space through the start-up screens until the main menu shows, with
    // the pointer off its buttons.
    static bool skipToMainMenu(e2e::GameProcess& run)
    {
        for (int i = 0; i < 30 && run.running() && run.screenshot() == nullptr; ++i) {
        }
        run.moveBy(0, -OFF_THE_MENU);
        if (!run.skipToMainMenu()) {
            return false;
        }
        if (run.waitForViewColour(START_BUTTON_X, 0.0f, BUTTON_GREEN, 0.5)) {
            return true;
        }
        // A first start asks the player's name (a Space that skipped may
        // have typed into it).
        run.key("BackSpace");
        run.typeText("Ann");
        run.key("Return");
        return run.waitForViewColour(START_BUTTON_X, 0.0f, BUTTON_GREEN, 10.0);
    }
    // From the main menu to the map, with the pointer back at the centre.
    static void openMap(e2e::GameProcess& run)
    {
        run.moveBy(0, OFF_THE_MENU);
        e2e::pause(0.3);
        run.click();
        e2e::pause(2.0);
    }
    static void expectInOrder(const std::string& log, const std::vector<std::string>& lines)
    {
        size_t at = 0;
        for (const std::string& line : lines) {
            at = log.find(line, at);
            ASSERT_NE(at, std::string::npos) << line << "\n" << log;
        }
        EXPECT_EQ(log.find("Error:"), std::string::npos) << log;
    }
    // The program's screenshot, left in the build folder to be looked at.
    static void keepScreenshot(e2e::GameProcess& run, const char* name)
    {
        run.screenshot();
        if (!run.screenshots().empty()) {
            std::filesystem::copy_file(run.screenshots().back(), std::string(VABO_GAME_DIR "/../") + name,
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }

    FileCore core{false, false};
    std::string game = core.folder.path + "/game";
    std::string user = core.folder.path + "/user";
    e2e::VirtualDisplay x;
};

} // namespace

TEST_F(WorldMapEndToEnd, ADamagedSaveAtTheJourneysEndFailsToLoadAndPlayShowsTheClosingScreen)
{
    ASSERT_FALSE(x.display.empty()) << "no X server";
    const std::string saved = writePlayer(13);
    const std::string damaged = "\x0d\x01\x02 not a saved game";
    TempFolder::writeFile(saved, damaged);
    e2e::GameProcess run(game, user, x);
    ASSERT_TRUE(skipToMainMenu(run)) << run.log();
    run.moveBy(0, OFF_THE_MENU);
    e2e::pause(0.3);
    run.click();
    // The log reaches the disk at the end: the screens are watched instead.
    e2e::pause(2.0);
    keepScreenshot(run, "world-map-e2e.jpg");
    run.moveBy(PLAY_BUTTON_X, -PLAY_BUTTON_Y);
    e2e::pause(0.3);
    run.click();
    e2e::pause(4.0);
    keepScreenshot(run, "journey-end-e2e.jpg");
    run.key("alt+F4");
    EXPECT_EQ(run.waitForExit(), 0);
    const std::string log = run.log();
    size_t at = 0;
    for (const char* line : {"WorldManager(): Found saved game. Loading...", "...failed!",
                             "Level 13 has no layout; showing the game-completed screen.", "Done. Clean exit."}) {
        at = log.find(line, at);
        ASSERT_NE(at, std::string::npos) << line << "\n" << log;
    }
    EXPECT_EQ(log.find("Error:"), std::string::npos) << log;
    EXPECT_EQ(TempFolder::readFile(saved), damaged) << "the file stays as it was";
    EXPECT_FALSE(std::filesystem::exists(user + "/1.30/crash.Vabodemo.log"));
    EXPECT_FALSE(std::filesystem::exists(user + "/1.30/crash.Vabodemo.jpg"));
}

TEST_F(WorldMapEndToEnd, ANewUsersFirstLevelLeftWithAltF4IsContinuedAtTheNextStart)
{
    ASSERT_FALSE(x.display.empty()) << "no X server";
    {
        e2e::GameProcess run(game, user, x);
        ASSERT_TRUE(skipToMainMenu(run)) << run.log();
        openMap(run);
        keepScreenshot(run, "world-map-new-user-e2e.jpg");
        run.moveBy(PLAY_BUTTON_X, -PLAY_BUTTON_Y);
        e2e::pause(0.3);
        run.click();
        // A new player has the tutorial on: the level's intro page comes
        // up, and Space closes it.
        e2e::pause(3.0);
        keepScreenshot(run, "intro-page-e2e.jpg");
        run.key("space");
        // The whistle, then the first train comes in.
        e2e::pause(10.0);
        keepScreenshot(run, "level-in-play-e2e.jpg");
        run.key("alt+F4");
        EXPECT_EQ(run.waitForExit(), 0);
        expectInOrder(run.log(), {"Saving game to", "Done. Clean exit."});
    }
    e2e::GameProcess again(game, user, x);
    ASSERT_TRUE(skipToMainMenu(again)) << again.log();
    openMap(again);
    again.moveBy(PLAY_BUTTON_X, -PLAY_BUTTON_Y);
    e2e::pause(0.3);
    again.click();
    e2e::pause(3.0);
    keepScreenshot(again, "level-continued-e2e.jpg");
    again.key("alt+F4");
    EXPECT_EQ(again.waitForExit(), 0);
    expectInOrder(again.log(), {"WorldManager(): Found saved game. Loading...", "Loading game from",
                                "WorldManager(): ...success.", "Saving game to", "Done. Clean exit."});
    EXPECT_FALSE(std::filesystem::exists(user + "/1.30/crash.Vabodemo.log"));
}
