#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

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
    size_t logSize()
    {
        core.qel->logger->flush();
        return size_t(std::filesystem::file_size("Vabodemo.log"));
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

    // A disk that takes the head of a line gets its tail later, once.
    {
        FullDisk full(logSize() + 6);
        QEL_LOG("taken in part");
    }
    QEL_LOG("written after");
    EXPECT_THAT(logText(), testing::EndsWith("\tTestBody(): written\n\tTestBody(): taken in part\n"
                                             "\tTestBody(): written after\n"));
}

// More than the 64 KiB kept while the disk is full: the newest whole lines
// reach the file, and the head of a line the disk took before it filled is
// ended there with a newline, never run into a later line.
TEST_F(LoggerTest, APileOfRefusedLinesKeepsTheNewestWholeLines)
{
    const size_t before = logSize();
    const std::string filler(90, 'x');
    {
        FullDisk full(before + 6);
        for (int i = 0; i < 1000; ++i) {
            QEL_LOG("line %04d %s", i, filler.c_str());
        }
    }
    QEL_LOG("after");

    const std::vector<std::string> log = lines(logText().substr(before));
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log.front(), "\tTestB");
    EXPECT_EQ(log.back(), "\tTestBody(): after");
    int previous = -1;
    for (size_t k = 1; k + 1 < log.size(); ++k) {
        int number = -1;
        ASSERT_EQ(std::sscanf(log[k].c_str(), "\tTestBody(): line %d", &number), 1) << log[k];
        EXPECT_EQ(log[k], formatString("\tTestBody(): line %04d %s", number, filler.c_str())) << "whole";
        EXPECT_EQ(number, previous < 0 ? number : previous + 1) << "in order, each once";
        previous = number;
    }
    EXPECT_EQ(previous, 999);
    EXPECT_LE(logSize() - before, 65536u + 200u);
    EXPECT_GE(logSize() - before, 65536u - 200u);
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
    // With only the child holding the write end, a child that dies before
    // it writes ends the read at once.
    close(ready[1]);
    char done = 0;
    const ssize_t got = read(ready[0], &done, 1);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(ready[0]);
    ASSERT_EQ(got, 1) << "the child ended before it wrote its last line";
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_THAT(TempFolder::readFile("Vabodemo.log"), testing::EndsWith("\tTestBody(): last words\n"));
}
