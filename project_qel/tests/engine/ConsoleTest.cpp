#include <gtest/gtest.h>

#include "engine/Console.h"
#include "engine/Qel.h"
#include "input/KeyCodes.h"
#include "support/DeviceCore.h"
#include "support/InputScript.h"

namespace {

class ConsoleTest : public testing::Test {
protected:
    void typeText(const std::string& text)
    {
        for (char c : text) {
            script.tap(c, c, [this] { console.update(0, 0); });
        }
    }
    void enter()
    {
        script.tap(SDLK_RETURN, 13, [this] { console.update(0, 0); });
    }
    void toggle()
    {
        script.keyDown(SDLK_LSHIFT);
        script.tap(SDLK_BACKQUOTE, '`', [this] { console.update(0, 0); });
        script.keyUp(SDLK_LSHIFT);
        script.frame();
    }

    DeviceCore core{DeviceCore::INPUT};
    InputScript script{core.input};
    Console console;
};

} // namespace

TEST_F(ConsoleTest, ShiftAndGraveToggleWithoutTyping)
{
    toggle();
    EXPECT_TRUE(console.bShown);
    EXPECT_EQ(console.inputLine, "");
    typeText("`");
    EXPECT_EQ(console.inputLine, "`");
    toggle();
    EXPECT_FALSE(console.bShown);
    typeText("ab");
    EXPECT_EQ(console.inputLine, "`");
}

TEST_F(ConsoleTest, TypesEditsAndRunsCommands)
{
    toggle();
    typeText("debug 5");
    script.tap(SDLK_BACKSPACE, 8, [this] { console.update(0, 0); });
    typeText("7");
    EXPECT_EQ(console.inputLine, "debug 7");
    enter();
    EXPECT_EQ(core.qel->debugLevel, 7);
    EXPECT_EQ(console.inputLine, "");
    EXPECT_TRUE(console.history.empty());
    enter();
    EXPECT_TRUE(console.history.empty());
}

TEST_F(ConsoleTest, CommandsFollowTheirPatterns)
{
    console.executeCommand("debug5");
    EXPECT_EQ(core.qel->debugLevel, 5);
    console.executeCommand("debug  512 trailing");
    EXPECT_EQ(core.qel->debugLevel, 512);
    console.executeCommand("debug");
    console.executeCommand("debug x");
    ASSERT_EQ(console.history.size(), 2u);
    EXPECT_EQ(console.history[0], "Unknown command: debug");
    EXPECT_EQ(console.history[1], "Unknown command: debug x");
    console.executeCommand("rel 0");
    EXPECT_FALSE(core.qel->bDebugLocked);
    console.executeCommand("rel 1");
    EXPECT_TRUE(core.qel->bDebugLocked);
    console.executeCommand(UString(100000, 'x'));
    EXPECT_EQ(console.history.back().size(), 100000u + 17u);
}

TEST_F(ConsoleTest, ViewFollowsNewLinesUntilScrolledBack)
{
    console.print("first");
    EXPECT_EQ(console.viewIndex, 0);
    for (int i = 1; i < 50; ++i) {
        console.print("line %d", i);
    }
    EXPECT_EQ(console.viewIndex, 49);
    toggle();
    script.keyDown(SDLK_PAGEUP);
    script.frame();
    console.update(0, 0);
    script.keyUp(SDLK_PAGEUP);
    script.frame();
    EXPECT_EQ(console.viewIndex, 48);
    console.print("more");
    EXPECT_EQ(console.viewIndex, 48);
    script.keyDown(SDLK_PAGEDOWN);
    for (int i = 0; i < 10; ++i) {
        script.frame();
        console.update(0, 0);
    }
    EXPECT_EQ(console.viewIndex, 50);
    script.keyUp(SDLK_PAGEDOWN);
    script.keyDown(SDLK_PAGEUP);
    for (int i = 0; i < 80; ++i) {
        script.frame();
        console.update(0, 0);
    }
    EXPECT_EQ(console.viewIndex, 0);
}

TEST(ConsoleDeathTest, ErrorAndCrashAreFatal)
{
    for (const char* command : {"error", "crash"}) {
        EXPECT_EXIT(
            {
                std::freopen("/dev/null", "w", stdout);
                EngineCore core;
                Console console;
                console.executeCommand(command);
            },
            testing::ExitedWithCode(255), "");
    }
}
