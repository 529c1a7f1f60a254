#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/Logger.h"
#include "engine/QelAssert.h"
#include "system/SystemUtils.h"
#include "support/FileCore.h"

namespace {

u32 scriptedTick = 0;
u32 scriptedTicks()
{
    return scriptedTick;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        result.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) {
        result.push_back(text.substr(start));
    }
    return result;
}

// Puts the log on the scripted clock before the engine writes its header.
struct ScriptedTicks {
    ScriptedTicks()
    {
        scriptedTick = 5000;
        setTickSource(&scriptedTicks);
    }
    ~ScriptedTicks() { setTickSource(nullptr); }
};

class LoggerTest : public testing::Test {
protected:

    std::string logText()
    {
        core.qel->logger->flush();
        return TempFolder::readFile("Vabodemo.log");
    }

    ScriptedTicks ticks;
    EngineCore core;
};

} // namespace

TEST_F(LoggerTest, HeaderAndMillisecondPrefixes)
{
    scriptedTick += 1500;
    QEL_LOG("late by %d", 1500);
    QEL_LOG("same millisecond");
    scriptedTick += 7;
    core.qel->logger->write("%s", "two\nlines");

    std::vector<std::string> log = lines(logText());
    ASSERT_GE(log.size(), 8u);
    EXPECT_EQ(log[0], "\tApplication: Vabodemo version 1.30");
    EXPECT_EQ(log[1], "\tLog file: ./Vabodemo.log");
    EXPECT_THAT(log[2], testing::MatchesRegex("\tLog date: [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}\\.[0-9]{2}\\.[0-9]{2} UTC"));
    EXPECT_EQ(log[3], "\tErrorManager(): Starting...");
    EXPECT_EQ(log[4], "+1500\tTestBody(): late by 1500");
    EXPECT_EQ(log[5], "\tTestBody(): same millisecond");
    EXPECT_EQ(log[6], "+7\ttwo");
    EXPECT_EQ(log[7], "lines");
}

TEST_F(LoggerTest, CrashCopyStopsFurtherLines)
{
    QEL_LOG("before the crash");
    core.qel->logger->writeCrashLog();
    QEL_LOG("after the crash");
    std::string log = TempFolder::readFile("Vabodemo.log");
    std::string crash = TempFolder::readFile(core.folder.userFolder() + "crash.Vabodemo.log");
    EXPECT_EQ(crash, log);
    EXPECT_NE(log.find("before the crash"), std::string::npos);
    EXPECT_EQ(log.find("after the crash"), std::string::npos);
}

TEST_F(LoggerTest, ALineAFullDiskRefusedGoesAheadOfTheNextOne)
{
    {
        FullDisk full(16);
        QEL_LOG("refused");
    }
    QEL_LOG("written");
    EXPECT_THAT(logText(), testing::EndsWith("\tTestBody(): refused\n\tTestBody(): written\n"));
}

TEST(LoggerWithoutFile, RunsSilentlyWhenTheLogCannotBeCreated)
{
    TempFolder folder;
    std::filesystem::create_directory("Vabodemo.log");  // a folder in the way
    Qel qel{Qel::CoreOnly{}};
    EXPECT_EQ(qel.logger->stream, nullptr);
    QEL_LOG("nobody hears this");
    qel.logger->writeCrashLog();
    EXPECT_FALSE(std::filesystem::exists(folder.userFolder() + "crash.Vabodemo.log"));
}

// A process killed outright, as one that hangs is, keeps every line it
// wrote: each is in the file when write returns.
TEST(LoggerKilled, KeepsTheLastLineWritten)
{
    TempFolder folder;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        Qel qel{Qel::CoreOnly{}};
        QEL_LOG("last words");
        (void)!write(ready[1], "!", 1);
        pause();
        _exit(0);
    }
    char done = 0;
    ASSERT_EQ(read(ready[0], &done, 1), 1);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(ready[0]);
    close(ready[1]);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_THAT(TempFolder::readFile("Vabodemo.log"), testing::EndsWith("\tTestBody(): last words\n"));
}
