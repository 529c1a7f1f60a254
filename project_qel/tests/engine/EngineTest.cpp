// The whole engine in a real window under the virtual X server, on a
// scripted clock: start-up, frames, presentation modes, the console, the F9
// screenshot and the shutdown steps.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/QelAudio.h"
#include "config/MemoryIniFile.h"
#include "engine/Console.h"
#include "engine/Context.h"
#include "engine/Logger.h"
#include "engine/Qel.h"
#include "engine/TimeKeeper.h"
#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"
#include "input/QelInput.h"
#include "support/DeviceCore.h"
#include "support/TempFolder.h"
#include "system/SystemUtils.h"

namespace fs = std::filesystem;

namespace {

// A millisecond counter that moves only by sleeps and by the test.
u32 ticks = 1000;
u32 scriptedTicks()
{
    return ticks;
}
void scriptedSleep(u32 milliseconds)
{
    ticks += milliseconds;
}

const char* editionText =
    "[Language]\nbMultilanguage=Yes\nsingleLanguage=0\n[Edition]\nbHoliday=No\n"
    "[Graphics]\nditherDepth=0\n[Input]\nhardwareMouseScaling=1.0\n";

// Counts the mode changes it is told about.
class ModeWatcher : public QelBase {
public:
    void onQELmodeChange(int oldMode, int newMode) override { changes.push_back(oldMode * 10 + newMode); }
    std::vector<int> changes;
};

class Engine : public testing::Test {
protected:
    void SetUp() override
    {
        ticks = 1000;
        setTickSource(&scriptedTicks);
        setSleeper(&scriptedSleep);
        DeviceCore::ignoreLeaksOfTheDisplayDriver();
        TempFolder::writeFile("Vabodemo.cfg.static", editionText);
        fs::create_directories(folder.userFolder());
        TempFolder::writeFile(configPath(), "[QelGraphics]\nbFullScreen=No\n[QelInput]\nbTrackMouse=No\n"
                                            "bTrackJoystick=No\n" + extraConfig);
    }
    void TearDown() override
    {
        delete qel;
        setTickSource(nullptr);
        setSleeper(nullptr);
    }
    std::string configPath() const { return folder.userFolder() + "Vabodemo.cfg"; }
    std::string log() const { return TempFolder::readFile("Vabodemo.log"); }
    void start() { qel = new Qel(); }
    void shutDown()
    {
        delete qel;
        qel = nullptr;
    }
    void pressKey(int symbol, bool down)
    {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.keysym.sym = static_cast<SDLKey>(symbol);
        qel->sdlOnEvent(&event);
    }

    TempFolder folder;
    std::string extraConfig;
    Qel* qel = nullptr;
};

} // namespace

TEST_F(Engine, FirstRunWritesEveryKeyAndLogsTheShutdownSteps)
{
    start();
    EXPECT_EQ(g_qel, qel);
    EXPECT_TRUE(qel->bDebugLocked);
    EXPECT_TRUE(qel->bMultilanguage);
    EXPECT_DOUBLE_EQ(qel->frameTimer.period, 0.015);
    Context root;
    for (int i = 0; i < 3; ++i) {
        qel->frame(&root);
    }
    EXPECT_EQ(qel->frameNumber, 3);
    qel->defaultLanguage = 2;
    shutDown();

    std::string text = log();
    EXPECT_EQ(text.rfind("\tApplication: Vabodemo version 1.30\n", 0), 0u);
    EXPECT_THAT(text, testing::HasSubstr("\tVersion: QelXX build "));
    EXPECT_THAT(text, testing::HasSubstr("Using SDL compiled version: 1.2."));
    EXPECT_THAT(text, testing::HasSubstr("Qel(): Started."));
    EXPECT_THAT(text, testing::HasSubstr("Rendered 3 frames, avg="));
    size_t at = 0;
    for (int step = 1; step <= 14; ++step) {
        std::string line = "~Qel(): " + std::to_string(step) + "...\n";
        size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << line;
        at = found;
    }
    EXPECT_THAT(text, testing::EndsWith("~Qel(): Done. Clean exit.\n"));
    EXPECT_THAT(text, testing::Not(testing::HasSubstr("Objects still allocated")));

    std::string saved = TempFolder::readFile(configPath());
    for (const char* line : {"warning=Do NOT modify this file unless you are explicitly instructed to do so!\n",
                             "debugLevel=0\n", "debugCode=1\n", "frameRate=0.01500000\n",
                             "maxFrameDuration=0.05000000\n", "defaultLanguage=2\n", "bTickWhilePaused=No\n",
                             "[QelGraphics]\n", "[QelInput]\n", "[QelAudio]\n", "[QelNetwork]\n",
                             "bEmulateLocalhost=Yes\n"}) {
        EXPECT_THAT(saved, testing::HasSubstr(line));
    }
}

// A number the engine reads at start that would stop or break the program
// (a frozen or backward clock, a dead stick, no sound, a broken font cache)
// falls back to its default, which is also what the file keeps; a sound
// value is kept as it stands.
TEST_F(Engine, NumericSettingsOutsideTheirRangesFallBackToTheirDefaults)
{
    const struct {
        const char* section;
        const char* key;
        const char* bad;
        const char* fallback;
        const char* good;
        double (*read)(Qel&, FontQuad&);
    } rows[] = {
        {"Qel", "frameRate", "0", "0.01500000", "0.02", [](Qel& q, FontQuad&) { return q.frameTimer.period; }},
        {"Qel", "maxFrameDuration", "-5", "0.05000000", "0.1", [](Qel& q, FontQuad&) { return q.maxFrameDuration; }},
        {"QelGraphics", "fovWidth", "wide", "800", "1024", [](Qel& q, FontQuad&) { return double(q.graphics->fovWidth); }},
        {"QelGraphics", "fovHeight", "-600", "600", "768", [](Qel& q, FontQuad&) { return double(q.graphics->fovHeight); }},
        {"QelGraphics", "screenWidth", "0", "800", "640", [](Qel& q, FontQuad&) { return double(q.graphics->screenWidth); }},
        {"QelGraphics", "screenHeight", "-1", "600", "480", [](Qel& q, FontQuad&) { return double(q.graphics->screenHeight); }},
        {"QelInput", "joystickDeadZone", "1.5", "0.20000000", "0.5", [](Qel& q, FontQuad&) { return q.input->joystickDeadZone; }},
        {"QelInput", "repeatRate", "0", "0.10000000", "0.05", [](Qel& q, FontQuad&) { return q.input->repeatRate; }},
        {"QelInput", "repeatDelay", "-1", "0.25000000", "0.5", [](Qel& q, FontQuad&) { return q.input->repeatDelay; }},
        {"QelAudio", "frequency", "0", "22050", "44100", [](Qel& q, FontQuad&) { return double(q.audio->frequency); }},
        {"QelAudio", "mixBufferDuration", "nan", "0.10000000", "0.2", nullptr},
        {"FontQuad", "cacheTTLframes", "-3", "2", "5", [](Qel&, FontQuad& f) { return double(f.cacheTTLframes); }},
    };
    for (bool sound : {false, true}) {
        SCOPED_TRACE(sound ? "sound values" : "bad values");
        extraConfig.clear();
        for (const auto& row : rows) {
            extraConfig += std::string("[") + row.section + "]\n" + row.key + "=" + (sound ? row.good : row.bad) + "\n";
        }
        SetUp();
        start();
        auto font = std::make_unique<FontQuad>();
        for (const auto& row : rows) {
            if (row.read != nullptr) {
                EXPECT_DOUBLE_EQ(row.read(*qel, *font), std::stod(sound ? row.good : row.fallback)) << row.key;
            }
        }
        font.reset();
        shutDown();
        const std::string saved = TempFolder::readFile(configPath());
        const std::string text = log();
        for (const auto& row : rows) {
            EXPECT_THAT(saved, testing::HasSubstr(std::string("\n") + row.key + "=" + (sound ? row.good : row.fallback) + "\n"));
            const std::string complaint = std::string("Value '") + row.bad + "' of key '" + row.key + "'";
            EXPECT_EQ(text.find(complaint) != std::string::npos, !sound) << row.key;
        }
    }
}

TEST_F(Engine, DebugCodeUnlocksTheReportOfLiveObjects)
{
    extraConfig = "[Qel]\ndebugCode=40817\ndebugLevel=3\n";
    SetUp();
    start();
    EXPECT_FALSE(qel->bDebugLocked);
    EXPECT_EQ(qel->debugLevel, 3);
    auto* forgotten = new Context;
    Context root;
    qel->frame(&root);
    shutDown();
    std::string text = log();
    EXPECT_THAT(text, testing::HasSubstr("~Qel(): Objects still allocated (memory leaks?):\n"));
    // The root screen and the forgotten screen, each with its camera.
    EXPECT_THAT(text, testing::HasSubstr("~Qel(): Context\n"));
    EXPECT_THAT(text, testing::HasSubstr("~Qel(): Camera\n"));
    delete forgotten;
}

TEST_F(Engine, FocusLossPausesAndTheClockDiscardsThePause)
{
    start();
    ModeWatcher watcher;
    Context root;
    qel->frame(&root);
    double before = qel->timeKeeper->getTime();
    qel->bApplicationActive = false;
    qel->frame(&root);
    EXPECT_EQ(qel->qelMode, MODE_INACTIVE);
    int framesBefore = qel->frameNumber;
    qel->frame(&root);  // sleeps 500 ms and draws without ticking
    qel->frame(&root);
    EXPECT_EQ(qel->frameNumber, framesBefore);
    qel->bApplicationActive = true;
    qel->frame(&root);
    EXPECT_EQ(qel->qelMode, MODE_OK);
    EXPECT_EQ(watcher.changes, (std::vector<int>{32, 23}));
    EXPECT_NEAR(qel->timeKeeper->getTime() - before, 0.0, 0.002);

    // A restart steps down to 1 and back up, one mode at a time.
    watcher.changes.clear();
    qel->bRestartRequested = true;
    qel->frame(&root);
    EXPECT_EQ(qel->qelMode, MODE_PRESENTATION_LOST);
    qel->frame(&root);
    qel->frame(&root);
    EXPECT_EQ(qel->qelMode, MODE_OK);
    EXPECT_EQ(watcher.changes, (std::vector<int>{32, 21, 12, 23}));
}

TEST_F(Engine, RestartRequestedWhileInactiveWaitsForTheFocus)
{
    start();
    Context root;
    qel->bApplicationActive = false;
    qel->frame(&root);
    qel->bRestartRequested = true;
    qel->frame(&root);
    EXPECT_EQ(qel->qelMode, MODE_INACTIVE);
    EXPECT_TRUE(qel->bRestartRequested);
    qel->bApplicationActive = true;
    qel->frame(&root);
    qel->frame(&root);
    EXPECT_EQ(qel->qelMode, MODE_PRESENTATION_LOST);
    EXPECT_FALSE(qel->bRestartRequested);
}

TEST_F(Engine, F9SavesOneScreenshotNamedByTheClock)
{
    start();
    Context root;
    root.clearColor = UColor(40, 120, 200, 255);
    qel->frame(&root);
    pressKey(SDLK_F9, true);
    for (int i = 0; i < 4; ++i) {
        qel->frame(&root);
    }
    std::vector<std::string> shots;
    for (const auto& entry : fs::directory_iterator(folder.userFolder())) {
        std::string name = entry.path().filename().string();
        if (name.ends_with(".jpg")) {
            shots.push_back(name);
        }
    }
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_THAT(shots[0], testing::MatchesRegex(
                              "Vabodemo [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}\\.[0-9]{2}\\.[0-9]{2} [0-9]+\\.[0-9]{3}\\.jpg"));
}

TEST_F(Engine, ConsoleOpensWithShiftAndGrave)
{
    start();
    Context root;
    pressKey(SDLK_LSHIFT, true);
    pressKey(SDLK_BACKQUOTE, true);
    qel->frame(&root);
    EXPECT_TRUE(qel->console->bShown);
    qel->console->executeCommand("rel 0");
    EXPECT_FALSE(qel->bDebugLocked);
    qel->console->executeCommand("fps 0.03");
    EXPECT_DOUBLE_EQ(qel->frameTimer.period, 0.03);
    qel->frame(&root);
    // Frames start a period apart, to within the timer's millisecond.
    const double before = qel->getFrameTime();
    for (int i = 0; i < 10; ++i) {
        qel->frame(&root);
    }
    EXPECT_NEAR((qel->getFrameTime() - before) / 10.0, 0.03, 0.0025);
    // A period that is not positive, or above a second, is refused.
    for (const char* refused : {"fps 0", "fps -0.5", "fps 2", "fps nan"}) {
        qel->console->executeCommand(refused);
        EXPECT_EQ(qel->console->history.back(), std::string("Unknown command: ") + refused);
        EXPECT_DOUBLE_EQ(qel->frameTimer.period, 0.03) << refused;
    }
}

// A missing edition file and a video start that fails: both fatal, each
// with its cause in the crash log.
TEST(EngineDeathTest, StartUpFailuresAreFatalWithACrashLog)
{
    const struct {
        const char* videoDriver;
        const char* cause;
    } cases[] = {
        {nullptr, "Vabodemo.cfg.static"},
        {"no-such-driver", " Statement: SDL_Init(SDL_INIT_VIDEO)==0\n Function: Qel()"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        EXPECT_EXIT(
            {
                std::freopen("stdout.txt", "w", stdout);
                if (c.videoDriver != nullptr) {
                    setenv("SDL_VIDEODRIVER", c.videoDriver, 1);
                }
                DeviceCore::ignoreLeaksOfTheDisplayDriver();
                new Qel();
            },
            testing::ExitedWithCode(255), "");
        std::string crash = TempFolder::readFile(folder.userFolder() + "crash.Vabodemo.log");
        EXPECT_THAT(crash, testing::HasSubstr(c.cause));
        EXPECT_THAT(crash, testing::HasSubstr("error(): Forced exit."));
    }
}
