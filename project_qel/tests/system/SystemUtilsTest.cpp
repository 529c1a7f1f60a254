#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/EngineCore.h"
#include "support/ScopedEnv.h"
#include "support/TempFolder.h"
#include "system/SystemUtils.h"

namespace fs = std::filesystem;

TEST(UserDataPath, EnvironmentFolderGetsTheVersionFolder)
{
    TempFolder folder;
    UString path = getUserDataPath(true);
    EXPECT_EQ(path, folder.path + "/1.30/");
    EXPECT_TRUE(fs::is_directory(folder.path + "/1.30"));
    EXPECT_EQ(getUserDataPath(false), "./");

    const std::string nested = folder.path + "/a/b";
    ScopedEnv nestedEnv("U3_APP_DATA_PATH", nested.c_str());
    EXPECT_EQ(getUserDataPath(true), nested + "/1.30/");
    EXPECT_TRUE(fs::is_directory(nested + "/1.30"));
}

// Without the override: under an absolute XDG_DATA_HOME, else under the home
// folder's data home, else below the working folder; every missing folder
// on the way is made.
TEST(UserDataPath, WithoutOverrideFollowsTheDataHome)
{
    TempFolder folder;
    ScopedEnv noOverride("U3_APP_DATA_PATH", nullptr);
    const std::string home = folder.path;
    const std::string xdg = folder.path + "/xdg";
    const std::string newHome = folder.path + "/no/such/home";
    const std::string nestedXdg = folder.path + "/x/y/z";
    const std::string tail = "Brontal studios/Vabodemo/1.30/";
    const struct {
        const char* home;
        const char* xdg;
        std::string expected;
    } cases[] = {
        {home.c_str(), nullptr, home + "/.local/share/" + tail},
        {home.c_str(), xdg.c_str(), xdg + "/" + tail},
        {nullptr, nullptr, "./" + tail},
        {newHome.c_str(), nullptr, newHome + "/.local/share/" + tail},
        {home.c_str(), nestedXdg.c_str(), nestedXdg + "/" + tail},
        {home.c_str(), "relative/data", home + "/.local/share/" + tail},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        ScopedEnv homeEnv("HOME", c.home);
        ScopedEnv xdgEnv("XDG_DATA_HOME", c.xdg);
        EXPECT_EQ(getUserDataPath(true), c.expected);
        EXPECT_EQ(getUserDataPath(false), c.expected);
        EXPECT_TRUE(fs::is_directory(c.expected));
    }
}

// A regular file stands where a parent folder should be: the player hears of
// it once, on standard error and in the log, and the path still comes back.
TEST(UserDataPath, AFolderThatCannotBeMadeIsReportedOnce)
{
    EngineCore core;
    TempFolder::writeFile("blocked", "");
    const std::string user = core.folder.path + "/blocked/user";
    ScopedEnv blocked("U3_APP_DATA_PATH", user.c_str());
    testing::internal::CaptureStderr();
    EXPECT_EQ(getUserDataPath(true), user + "/1.30/");
    EXPECT_EQ(getUserDataPath(true), user + "/1.30/");
    const std::string printed = testing::internal::GetCapturedStderr();
    const std::string message = "Cannot use the folder '" + user + "/1.30' for the player's files: Not a directory.";
    EXPECT_EQ(printed.find(message), 0u) << printed;
    EXPECT_EQ(printed.find("Cannot use", 1), std::string::npos) << "once";
    const std::string log = TempFolder::readFile("Vabodemo.log");
    EXPECT_NE(log.find("getUserDataPath(): " + message), std::string::npos) << log;
    EXPECT_EQ(log.find("Cannot use", log.find("Cannot use") + 1), std::string::npos) << "once";
}

TEST(FileHelpers, ExistsCopiesAndRemoves)
{
    TempFolder folder;
    EXPECT_FALSE(fileExists("nothing.txt"));
    EXPECT_FALSE(fs::exists("nothing.txt"));

    std::string payload(5000, '\0');
    for (size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<char>(i * 7);
    }
    TempFolder::writeFile("source.bin", payload);
    EXPECT_TRUE(copyFile("source.bin", "target.bin"));
    EXPECT_EQ(TempFolder::readFile("target.bin"), payload);

    TempFolder::writeFile("empty.bin", "");
    EXPECT_TRUE(copyFile("empty.bin", "copy.bin"));
    EXPECT_TRUE(fs::exists("copy.bin"));
    EXPECT_EQ(fs::file_size("copy.bin"), 0u);

    EXPECT_EQ(removeFile("copy.bin"), 0);
    EXPECT_EQ(removeFile("copy.bin"), -1);
    EXPECT_EQ(makeDirectory("made"), 0);
    EXPECT_EQ(makeDirectory("made"), -1);
}

TEST(FileHelpers, CopyFromAMissingSourceLeavesTheTargetAlone)
{
    TempFolder folder;
    TempFolder::writeFile("target.bin", "precious");
    EXPECT_FALSE(copyFile("missing.bin", "target.bin"));
    EXPECT_EQ(TempFolder::readFile("target.bin"), "precious");
}

TEST(LerpColor, BlendsEachChannel)
{
    UColor a(0, 10, 200, 255);
    UColor b(255, 20, 100, 0);
    UColor out;
    lerpColor(out, a, b, 0.0f);
    EXPECT_EQ(out, a);
    lerpColor(out, a, b, 1.0f);
    EXPECT_EQ(out, b);
    lerpColor(out, a, b, 0.5f);
    EXPECT_EQ(out, UColor(127, 15, 150, 127));
    // Outside 0..1 each channel wraps modulo 256.
    lerpColor(out, UColor(0, 0, 0, 0), UColor(200, 0, 0, 0), 2.0f);
    EXPECT_EQ(out.r, 400 % 256);
    // Non-finite factors never reach an undefined conversion.
    lerpColor(out, a, b, std::numeric_limits<float>::infinity());
    lerpColor(out, a, b, std::numeric_limits<float>::quiet_NaN());
}

TEST(PrintError, WritesTheErrorLine)
{
    testing::internal::CaptureStdout();
    int count = printError("boom");
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "*** ERROR *** boom\n");
    EXPECT_EQ(count, static_cast<int>(printed.size()));
}

TEST(Ticks, RunOnWhenSdlStarts)
{
    // SDL's own count starts over at its first start in a process (each
    // test runs in a process of its own); the log's first lines come before.
    const u32 before = getTicks();
    ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
    const u32 after = getTicks();
    SDL_Quit();
    EXPECT_LE(before, after);
    EXPECT_LT(after - before, 60000u);
}
