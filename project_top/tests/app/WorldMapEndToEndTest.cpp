// The real program through the world map: a new user's first level, its
// intro page closed with Space, paused and resumed, left with Alt+F4 in
// play, continued at the next start with the same score and then lost,
// which costs a life; and a player who has come to the end of the journey
// with a damaged saved game, which the map refuses, leaving its file as it
// was, while Play shows the closing screen of the journey instead of a
// level; a new player whose data folder lies below folders that do not
// exist yet; every run of these ends cleanly, with no crash files. And the
// files of a run that is killed: the language and the new player at the
// main menu, and the game over's high score on the score table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>

#include "GameProcess.h"
#include "global/Profile.h"
#include "global/ProfileStore.h"
#include "global/SettingsRecord.h"

namespace {

constexpr u32 LANGUAGE_SCREEN_BLUE = 0x301000;
constexpr float START_BUTTON_X = -140.0f;
constexpr u32 BUTTON_GREEN = 0x276922;
// The map's play button, in view units from the centre, y up.
constexpr int PLAY_BUTTON_X = -230;
constexpr int PLAY_BUTTON_Y = -200;
// Its two ends.
constexpr float PLAY_LEFT_X = -370.0f;
constexpr float PLAY_RIGHT_X = -90.0f;
constexpr int OFF_THE_MENU = 150;
// Widths of the button's white caption, in view units: "Continue level"
// spans well over 100, "Play!" about 40.
constexpr int WIDE_CAPTION = 100;
constexpr int NARROW_CAPTION = 80;
// In play: the menu corner; a point inside the bubble of the intro page and
// of the pause menu; the pause menu's RESUME button.
constexpr float MENU_CORNER_X = 336.0f;
constexpr float MENU_CORNER_Y = 284.0f;
constexpr float BUBBLE_X = -170.0f;
constexpr float BUBBLE_Y = 80.0f;
constexpr u32 BUBBLE_CREAM = 0xdef8fe;  // As the pictures' words hold it: blue, green, red.
constexpr float RESUME_Y = 0.0f;
// The score at the left end of the level's strip.
constexpr float SCORE_LEFT = -396.0f;
constexpr float SCORE_TOP = 296.0f;
constexpr float SCORE_WIDTH = 150.0f;
constexpr float SCORE_HEIGHT = 22.0f;
// An untouched first level is lost about 30 s into play; the map follows.
constexpr double LOSS_WITHIN = 90.0;

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

    // The game's own player store or record over the program's per-user
    // folder, read and written back as the game does.
    template <class Stored, class Use>
    void useStored(Use use)
    {
        const char* before = std::getenv("U3_APP_DATA_PATH");
        const std::string previous = before != nullptr ? before : "";
        setenv("U3_APP_DATA_PATH", user.c_str(), 1);
        {
            Stored stored;
            use(stored);
        }
        setenv("U3_APP_DATA_PATH", previous.c_str(), 1);
    }

    // The player's profile, written by the game's own store into the
    // program's per-user folder; returns the saved game's file name.
    std::string writePlayer(int level)
    {
        std::string saved;
        useStored<ProfileStore>([&](ProfileStore& store) {
            store.createProfile("Traveller");
            Profile& player = store.getProfile(store.currentIndex);
            player.level = level;
            player.bestLevel = level;
            player.score = 123456;
            player.hasSavedGame = true;
            saved = player.getSaveGameFileName().c_str();
        });
        return saved;
    }

    // The player's profile as the game left it.
    Profile readPlayer()
    {
        Profile player;
        useStored<ProfileStore>([&](ProfileStore& store) { player = store.getProfile(store.currentIndex); });
        return player;
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
    // A first start's language screen answered with the English flag, 150
    // units above the centre; the pointer goes back there.
    static bool chooseEnglish(e2e::GameProcess& run)
    {
        if (!run.waitForColour(4, 4, LANGUAGE_SCREEN_BLUE, 60.0)) {
            return false;
        }
        run.moveBy(0, -OFF_THE_MENU);
        e2e::pause(0.3);
        run.quickClick();
        run.moveBy(0, OFF_THE_MENU);
        return true;
    }
    // From the map to the first level in play: Play, and its intro page,
    // which a player with the tutorial on meets, closed with Space.
    static void playFirstLevel(e2e::GameProcess& run)
    {
        run.moveTo(PLAY_BUTTON_X, PLAY_BUTTON_Y);
        run.click();
        ASSERT_TRUE(bubbleShows(run, true)) << "the intro page";
        run.key("space");
        ASSERT_TRUE(bubbleShows(run, false)) << "the intro page closed";
    }
    // From the main menu to the map, with the pointer back at the centre.
    static void openMap(e2e::GameProcess& run)
    {
        run.moveBy(0, OFF_THE_MENU);
        e2e::pause(0.3);
        run.click();
        e2e::pause(2.0);
    }
    // A window pixel at a point of the 800 x 600 view.
    static u32 viewPixel(const MemoryImageFile& image, float x, float y)
    {
        const int px = std::clamp(int((x + 400.0f) / 800.0f * float(image.width)), 0, image.width - 1);
        const int py = std::clamp(int((300.0f - y) / 600.0f * float(image.height)), 0, image.height - 1);
        return image.pImageData[py * image.width + px];
    }
    // The bear's speech bubble (a page of his, or the pause menu) shows, or
    // not, within a few screenshots.
    static bool bubbleShows(e2e::GameProcess& run, bool shown)
    {
        for (int i = 0; i < 10; ++i) {
            if (auto image = run.screenshot(); image != nullptr && image->pImageData != nullptr) {
                if (e2e::GameProcess::near(viewPixel(*image, BUBBLE_X, BUBBLE_Y), BUBBLE_CREAM, 12) == shown) {
                    return true;
                }
            }
            e2e::pause(0.2);
        }
        return false;
    }
    // The map's play button shows (its green at both ends).
    static bool waitForMap(e2e::GameProcess& run, double seconds)
    {
        for (double waited = 0.0; waited < seconds && run.running(); waited += 1.0) {
            if (auto image = run.screenshot(); image != nullptr && image->pImageData != nullptr &&
                e2e::GameProcess::near(viewPixel(*image, PLAY_LEFT_X, PLAY_BUTTON_Y), BUTTON_GREEN, 12) &&
                e2e::GameProcess::near(viewPixel(*image, PLAY_RIGHT_X, PLAY_BUTTON_Y), BUTTON_GREEN, 12)) {
                return true;
            }
            e2e::pause(0.6);
        }
        return false;
    }
    // From the first to the last white pixel of the play button's caption,
    // in view units; 0 with none.
    static int captionWidth(const MemoryImageFile& image)
    {
        int first = std::numeric_limits<int>::max();
        int last = std::numeric_limits<int>::min();
        for (int y = PLAY_BUTTON_Y - 8; y <= PLAY_BUTTON_Y + 8; ++y) {
            for (int x = int(PLAY_LEFT_X); x <= int(PLAY_RIGHT_X); ++x) {
                const u32 pixel = viewPixel(image, float(x), float(y));
                if (e2e::GameProcess::near(pixel, 0xffffff, 30)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        }
        return last >= first ? last - first + 1 : 0;
    }
    // The score on the level's strip, the same in both pictures.
    static bool sameScoreShown(const MemoryImageFile& a, const MemoryImageFile& b)
    {
        for (float y = SCORE_TOP - SCORE_HEIGHT; y <= SCORE_TOP; y += 1.0f) {
            for (float x = SCORE_LEFT; x <= SCORE_LEFT + SCORE_WIDTH; x += 1.0f) {
                if (!e2e::GameProcess::near(viewPixel(a, x, y), viewPixel(b, x, y), 24)) {
                    return false;
                }
            }
        }
        return true;
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

TEST_F(WorldMapEndToEnd, ANewUsersFirstLevelPausedLeftWithAltF4ContinuedAndLost)
{
    ASSERT_FALSE(x.display.empty()) << "no X server";
    std::unique_ptr<MemoryImageFile> scoreBefore;
    {
        e2e::GameProcess run(game, user, x);
        ASSERT_TRUE(skipToMainMenu(run)) << run.log();
        openMap(run);
        keepScreenshot(run, "world-map-new-user-e2e.jpg");
        run.moveTo(PLAY_BUTTON_X, PLAY_BUTTON_Y);
        run.click();
        // A new player has the tutorial on: the level's intro page comes
        // up, and Space closes it.
        ASSERT_TRUE(bubbleShows(run, true)) << "the intro page";
        keepScreenshot(run, "intro-page-e2e.jpg");
        run.key("space");
        ASSERT_TRUE(bubbleShows(run, false)) << "the intro page closed";
        // The whistle, then the first train comes in.
        e2e::pause(8.0);
        keepScreenshot(run, "level-in-play-e2e.jpg");
        // The pause menu opens on Pause and on Return, and on a press in
        // the menu corner; Space (its RESUME button's key), Escape and a
        // click on RESUME each close it.
        run.key("Pause");
        e2e::pause(0.5);
        keepScreenshot(run, "pause-menu-e2e.jpg");
        ASSERT_TRUE(bubbleShows(run, true)) << "Pause";
        run.key("space");
        ASSERT_TRUE(bubbleShows(run, false)) << "Space";
        run.key("Return");
        ASSERT_TRUE(bubbleShows(run, true)) << "Return";
        run.key("Escape");
        ASSERT_TRUE(bubbleShows(run, false)) << "Escape";
        run.clickAt(MENU_CORNER_X, MENU_CORNER_Y);
        ASSERT_TRUE(bubbleShows(run, true)) << "the menu corner";
        run.clickAt(0.0f, RESUME_Y);
        ASSERT_TRUE(bubbleShows(run, false)) << "RESUME";
        e2e::pause(1.0);
        scoreBefore = run.screenshot();
        run.key("alt+F4");
        EXPECT_EQ(run.waitForExit(), 0);
        expectInOrder(run.log(), {"Saving game to", "Done. Clean exit."});
    }
    ASSERT_NE(scoreBefore, nullptr);
    EXPECT_EQ(readPlayer().lives, 3);
    e2e::GameProcess again(game, user, x);
    ASSERT_TRUE(skipToMainMenu(again)) << again.log();
    openMap(again);
    std::unique_ptr<MemoryImageFile> map = again.screenshot();
    ASSERT_NE(map, nullptr);
    EXPECT_GT(captionWidth(*map), WIDE_CAPTION) << "Continue level";
    again.moveTo(PLAY_BUTTON_X, PLAY_BUTTON_Y);
    again.click();
    e2e::pause(1.0);
    keepScreenshot(again, "level-continued-e2e.jpg");
    std::unique_ptr<MemoryImageFile> scoreAfter = again.screenshot();
    ASSERT_NE(scoreAfter, nullptr);
    EXPECT_TRUE(sameScoreShown(*scoreBefore, *scoreAfter)) << "the same score";
    // Nobody shoots: the level is lost, and the map comes back.
    again.moveTo(0.0f, 0.0f);
    ASSERT_TRUE(waitForMap(again, LOSS_WITHIN)) << again.log();
    e2e::pause(2.5);
    map = again.screenshot();
    ASSERT_NE(map, nullptr);
    keepScreenshot(again, "world-map-after-loss-e2e.jpg");
    const int caption = captionWidth(*map);
    EXPECT_GT(caption, 0) << "Play!";
    EXPECT_LT(caption, NARROW_CAPTION) << "Play!";
    again.key("alt+F4");
    EXPECT_EQ(again.waitForExit(), 0);
    expectInOrder(again.log(), {"WorldManager(): Found saved game. Loading...", "Loading game from",
                                "WorldManager(): ...success.", "Level 0 ended with result 1.", "Done. Clean exit."});
    EXPECT_EQ(again.log().find("Saving game to"), std::string::npos) << "a lost level is not saved";
    const Profile player = readPlayer();
    EXPECT_EQ(player.lives, 2);
    EXPECT_EQ(player.level, 0);
    EXPECT_FALSE(player.hasSavedGame);
    EXPECT_FALSE(std::filesystem::exists(user + "/1.30/crash.Vabodemo.log"));
}

// XDG_DATA_HOME names a folder whose parents are missing: from the first
// start to Alt+F4 in play, every file of the player is kept there.
TEST_F(WorldMapEndToEnd, ANewPlayersFilesAreKeptBelowADataFolderWhoseParentsAreMissing)
{
    ASSERT_FALSE(x.display.empty()) << "no X server";
    const std::string dataHome = core.folder.path + "/a/b/c";
    const std::string product = dataHome + "/Brontal studios/Vabodemo";
    const std::string files = product + "/1.30/";
    {
        e2e::GameProcess run(game, product, x, {"U3_APP_DATA_PATH", "XDG_DATA_HOME=" + dataHome});
        // The log is the first file the game writes there.
        for (int i = 0; i < 300 && run.running() && !std::filesystem::exists(files + "Vabodemo.log"); ++i) {
            e2e::pause(0.1);
        }
        ASSERT_TRUE(std::filesystem::exists(files + "Vabodemo.log"));
        // The first start asks the language.
        ASSERT_TRUE(chooseEnglish(run));
        ASSERT_TRUE(skipToMainMenu(run)) << TempFolder::readFile(files + "Vabodemo.log");
        openMap(run);
        ASSERT_NO_FATAL_FAILURE(playFirstLevel(run));
        e2e::pause(4.0);
        keepScreenshot(run, "nested-data-folder-in-play-e2e.jpg");
        run.key("alt+F4");
        EXPECT_EQ(run.waitForExit(), 0);
    }
    expectInOrder(TempFolder::readFile(files + "Vabodemo.log"), {"Saving game to", "Done. Clean exit."});
    for (const char* name : {"Vabodemo.cfg", "Vabodemo.hst", "Vabodemo.pro"}) {
        EXPECT_FALSE(TempFolder::readFile(files + name).empty()) << name;
    }
    bool savedGame = false;
    for (const auto& entry : std::filesystem::directory_iterator(files)) {
        savedGame = savedGame || entry.path().filename().string().rfind("Vabodemo.pro.", 0) == 0;
    }
    EXPECT_TRUE(savedGame);
}

// Killed twice, as a lost session or a power cut ends a run: the language
// chosen (without a sound device, which the configuration must not learn)
// and the new player are kept from the main menu; a game over's score and
// the new game are kept from the score table.
TEST_F(WorldMapEndToEnd, ANewPlayerAndAGameOversHighScoreOutliveAKill)
{
    ASSERT_FALSE(x.display.empty()) << "no X server";
    const std::string config = user + "/1.30/Vabodemo.cfg";
    std::filesystem::remove(config);
    {
        e2e::GameProcess run(game, user, x, {"SDL_AUDIODRIVER=no-such-driver"});
        ASSERT_TRUE(chooseEnglish(run)) << run.log();
        ASSERT_TRUE(skipToMainMenu(run)) << run.log();
        kill(run.pid, SIGKILL);
        EXPECT_EQ(run.waitForExit(), 128 + SIGKILL);
        EXPECT_EQ(run.log().find("Done. Clean exit."), std::string::npos);
    }
    EXPECT_STREQ(readPlayer().name, "Ann");
    const std::string settings = TempFolder::readFile(config);
    EXPECT_NE(settings.find("defaultLanguage=0"), std::string::npos) << settings;
    EXPECT_NE(settings.find("bMute=No"), std::string::npos) << settings;

    // The last life, with a score for the table.
    useStored<ProfileStore>([](ProfileStore& store) {
        Profile& player = store.getProfile(store.currentIndex);
        player.lives = 1;
        player.score = 55555;
    });
    {
        e2e::GameProcess run(game, user, x);
        ASSERT_TRUE(skipToMainMenu(run)) << run.log();
        openMap(run);
        ASSERT_NO_FATAL_FAILURE(playFirstLevel(run));
        // Nobody shoots: the level is lost, the game is over, and the score
        // table shows its buttons once the notice has gone.
        run.moveTo(0.0f, 0.0f);
        ASSERT_TRUE(run.waitForViewColour(152.0f, -250.0f, BUTTON_GREEN, LOSS_WITHIN)) << run.log();
        keepScreenshot(run, "score-table-before-kill-e2e.jpg");
        kill(run.pid, SIGKILL);
        EXPECT_EQ(run.waitForExit(), 128 + SIGKILL);
        const std::string log = run.log();
        EXPECT_NE(log.find("Level 0 ended with result 1."), std::string::npos) << log;
        EXPECT_EQ(log.find("Done. Clean exit."), std::string::npos);
    }
    useStored<SettingsRecord>([](SettingsRecord& record) {
        const auto entered = std::find_if(std::begin(record.highScores), std::end(record.highScores),
                                          [](const HighScoreEntry& entry) { return entry.score == 55555; });
        ASSERT_NE(entered, std::end(record.highScores)) << "the score is in the table";
        EXPECT_STREQ(entered->name, "Ann");
    });
    const Profile player = readPlayer();
    EXPECT_EQ(player.lives, 3) << "a new game";
    EXPECT_EQ(player.score, 0);
}
