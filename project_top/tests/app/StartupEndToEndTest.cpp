// The real program from a fresh per-user folder, on an X server of its
// own: the loader's stages, the language screen and a quick click on a
// flag, the start-up screens in order, skips with Space, the first player's
// name, the main menu, Escape's question (asked with a quick tap) answered
// No and then Yes, the clean shutdown and the files it leaves; then a
// second start that skips what the first settled and ends with Alt+F4.
// Then machines a player may have: no sound device, and a per-user folder
// that cannot be made.
#include <gtest/gtest.h>

#include <optional>

#include "GameProcess.h"

namespace {

constexpr u32 LANGUAGE_SCREEN_BLUE = 0x301000;
// The left end of the main menu's start button, and the dialog's panel
// beside its question.
constexpr float START_BUTTON_X = -140.0f;
constexpr u32 BUTTON_GREEN = 0x276922;
constexpr float DIALOG_PANEL_Y = 42.0f;
constexpr u32 DIALOG_BLUE = 0x7B4B29;
// The dialog's Yes and No buttons.
constexpr int DIALOG_BUTTON_X = 85;
constexpr int DIALOG_BUTTON_Y = -25;

// The standard error of the programs started meanwhile goes to a file.
class StandardErrorTo {
public:
    explicit StandardErrorTo(const std::string& path) : saved(dup(2))
    {
        const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(file, 2);
        close(file);
    }
    ~StandardErrorTo()
    {
        dup2(saved, 2);
        close(saved);
    }
    StandardErrorTo(const StandardErrorTo&) = delete;
    StandardErrorTo& operator=(const StandardErrorTo&) = delete;

private:
    int saved;
};

// How often the text occurs.
size_t count(const std::string& text, const std::string& part)
{
    size_t found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

class StartupEndToEnd : public testing::Test {
protected:
    StartupEndToEnd()
    {
        core.files->bUseWad = false;
        e2e::makeGameFolders(game, user);
    }

    std::string userFile(const std::string& name) const { return TempFolder::readFile(user + "/1.30/" + name); }
    // Each line appears, in this order.
    static void expectInOrder(const std::string& text, const std::vector<std::string>& lines)
    {
        size_t at = 0;
        for (const std::string& line : lines) {
            const size_t found = text.find(line, at);
            ASSERT_NE(found, std::string::npos) << "missing after position " << at << ": " << line;
            at = found + line.size();
        }
    }

    FileCore core{false, false};
    std::string game = core.folder.path + "/game";
    std::string user = core.folder.path + "/user";
    e2e::VirtualDisplay x;
};

} // namespace

TEST_F(StartupEndToEnd, FirstStartAsksTheLanguageAndTheSecondStartDoesNot)
{
    ASSERT_FALSE(x.display.empty()) << "no X server";
    {
        e2e::GameProcess run(game, user, x);
        ASSERT_TRUE(run.waitForColour(4, 4, LANGUAGE_SCREEN_BLUE, 60.0))
            << "the language screen never showed; running " << run.running() << ", exit " << run.exitStatus
            << ", screenshots " << run.screenshots().size() << "\n" << run.log();
        // The game's pointer starts at the centre and follows the mouse's
        // relative motion one unit per pixel; the English flag stands 150
        // units above the centre.
        run.moveBy(0, -150);
        e2e::pause(0.3);
        run.quickClick();
        // The maker's logo (black) follows the one-frame configuration;
        // Space skips it and then the game's opening.
        EXPECT_TRUE(run.waitForColour(4, 4, 0x000000, 20.0, 4));
        ASSERT_TRUE(run.skipToMainMenu()) << run.log();
        // The first start asks the player's name (a Space that skipped
        // may have typed into it).
        run.key("BackSpace");
        run.typeText("Bob");
        run.key("Return");
        ASSERT_TRUE(run.waitForViewColour(START_BUTTON_X, 0.0f, BUTTON_GREEN, 10.0));
        // Escape asks; No keeps the menu. The pointer stands where the flag
        // was, 150 units above the centre.
        run.tap("Escape");
        ASSERT_TRUE(run.waitForViewColour(START_BUTTON_X, DIALOG_PANEL_Y, DIALOG_BLUE, 10.0));
        run.moveBy(DIALOG_BUTTON_X, 150 - DIALOG_BUTTON_Y);
        e2e::pause(0.3);
        run.click();
        ASSERT_TRUE(run.waitForViewColour(START_BUTTON_X, 0.0f, BUTTON_GREEN, 10.0));
        EXPECT_TRUE(run.running());
        // Yes ends the program.
        run.key("Escape");
        ASSERT_TRUE(run.waitForViewColour(START_BUTTON_X, DIALOG_PANEL_Y, DIALOG_BLUE, 10.0));
        run.moveBy(-2 * DIALOG_BUTTON_X, 0);
        e2e::pause(0.3);
        run.click();
        EXPECT_EQ(run.waitForExit(), 0);
        const std::string log = run.log();
        expectInOrder(log, {"Loader(): Loading resources...", "doFrame(): Entering game loop.",
                            "Loading sound file 'sfx/applause-3.ogg'", "loadStuff(): Multilanguage mode (-1).",
                            "initPostLoader(): Global initialization complete at t=", "Done. Clean exit."});
        EXPECT_EQ(log.find("Error:"), std::string::npos) << log;
        // Each line counts from the one before, the first ones from the
        // log's start: the start-up takes seconds, not days.
        for (size_t at = 0; (at = log.find("\n+", at)) != std::string::npos; ++at) {
            EXPECT_LT(std::stoul(log.substr(at + 2, 12)), 60000ul) << log.substr(at + 1, 80);
        }
    }
    const std::string config = userFile("Vabodemo.cfg");
    EXPECT_NE(config.find("defaultLanguage=0"), std::string::npos);
    EXPECT_NE(config.find("[ContextAutoConfigure]"), std::string::npos);
    EXPECT_NE(config.find("bAutoConfigure=Yes"), std::string::npos);
    EXPECT_NE(config.find("bPauseAutoConfigure=No"), std::string::npos);
    EXPECT_FALSE(userFile("Vabodemo.hst").empty());
    EXPECT_FALSE(userFile("Vabodemo.pro").empty());

    e2e::GameProcess again(game, user, x);
    // The pointer starts on the start button, whose highlight hides its
    // green: once the window answers, the pointer moves off it.
    for (int i = 0; i < 30 && again.running() && again.screenshot() == nullptr; ++i) {
    }
    again.moveBy(0, -150);
    ASSERT_TRUE(again.skipToMainMenu()) << again.log();
    again.key("alt+F4");
    EXPECT_EQ(again.waitForExit(), 0);
    const std::string log = again.log();
    expectInOrder(log, {"loadStuff(): Multilanguage mode (0).", "initPostLoader(): Global initialization complete",
                        "Done. Clean exit."});
    EXPECT_EQ(log.find("Error:"), std::string::npos);
}

TEST_F(StartupEndToEnd, WithoutASoundDeviceTheGameRunsSilentlyAndItsLogKeepsUp)
{
    ASSERT_FALSE(x.display.empty()) << "no X server";
    std::filesystem::create_directories(user + "/1.30");
    TempFolder::writeFile(user + "/1.30/Vabodemo.cfg", "[Qel]\ndefaultLanguage=0\n");
    e2e::GameProcess run(game, user, x, {"SDL_AUDIODRIVER=no-such-driver"});
    for (int i = 0; i < 30 && run.running() && run.screenshot() == nullptr; ++i) {
    }
    run.moveBy(0, -150);
    ASSERT_TRUE(run.skipToMainMenu()) << run.log();
    run.key("BackSpace");
    run.typeText("Bob");
    run.key("Return");
    ASSERT_TRUE(run.waitForViewColour(START_BUTTON_X, 0.0f, BUTTON_GREEN, 10.0)) << run.log();
    // Read while the game runs: every line is in the file as it happens.
    expectInOrder(run.log(), {"QelAudio(): The sound device could not be opened (",
                              "); the game runs without sound.", "QelAudio(): Started.",
                              "Changing profile to 'Bob'..."});
    run.key("alt+F4");
    EXPECT_EQ(run.waitForExit(), 0);
    expectInOrder(run.log(), {"Done. Clean exit."});
    EXPECT_NE(userFile("Vabodemo.cfg").find("bMute=No"), std::string::npos) << "the next start tries again";
    EXPECT_FALSE(std::filesystem::exists(user + "/1.30/crash.Vabodemo.log"));
}

// A regular file stands where a folder above the per-user folder should be.
TEST_F(StartupEndToEnd, APerUserFolderThatCannotBeMadeIsReportedOnceAndTheGamePlaysOn)
{
    ASSERT_FALSE(x.display.empty()) << "no X server";
    TempFolder::writeFile(core.folder.path + "/blocked", "");
    const std::string blocked = core.folder.path + "/blocked/user";
    const std::string errors = core.folder.path + "/stderr.txt";
    std::optional<StandardErrorTo> capture(errors);
    e2e::GameProcess run(game, blocked, x);
    capture.reset();
    // With U3_APP_DATA_PATH set the log lies in the game folder.
    for (int i = 0; i < 600 && run.running() && run.log().find("Entering game loop.") == std::string::npos; ++i) {
        e2e::pause(0.1);
    }
    e2e::pause(2.0);
    ASSERT_TRUE(run.running()) << run.log();
    run.focusWindow();
    run.key("alt+F4");
    EXPECT_EQ(run.waitForExit(), 0);
    const std::string message = "Cannot use the folder '" + blocked + "/1.30' for the player's files: Not a directory.";
    const std::string printed = TempFolder::readFile(errors);
    EXPECT_EQ(count(printed, message), 1u) << printed;
    const std::string log = run.log();
    EXPECT_EQ(count(log, "getUserDataPath(): " + message), 1u) << log;
    expectInOrder(log, {"doFrame(): Entering game loop.", "Done. Clean exit."});
}
