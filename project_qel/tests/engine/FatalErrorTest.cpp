#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "engine/ErrorManager.h"
#include "engine/Logger.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "system/SystemUtils.h"
#include "support/TempFolder.h"

namespace {

// The death-test child inherits the folder the parent made; it starts the
// engine, sends its standard output to a file and raises the error.
Qel* startEngine()
{
    std::freopen("stdout.txt", "w", stdout);
    return new Qel(Qel::CoreOnly{});
}

[[noreturn]] void failCheck()
{
    startEngine();
    int bWriting = 0;
    QEL_ASSERT(bWriting);
    std::abort();
}

[[noreturn]] void failWithMessage()
{
    startEngine();
    QEL_FATAL("Key '%s' could not be found in section '%s'.", "frameRate", "Qel");
    std::abort();
}

// Raises the first error; the test makes the log raise the second one.
[[noreturn]] void failTwice()
{
    startEngine();
    g_qel->errorManager->error("first %s", "problem");
}

class FatalError : public testing::Test {
protected:
    std::string log() const { return TempFolder::readFile("Vabodemo.log"); }
    std::string crashLog() const { return TempFolder::readFile(folder.userFolder() + "crash.Vabodemo.log"); }
    std::string printed() const { return TempFolder::readFile("stdout.txt"); }

    TempFolder folder;
};

} // namespace

TEST_F(FatalError, FailedCheckReportsTheStatementLogsAndExits)
{
    EXPECT_EXIT(failCheck(), testing::ExitedWithCode(255), "");
    std::string report = "Error: Assertion failed.\n Statement: bWriting\n Function: failCheck()\n File: ";
    EXPECT_NE(printed().find("*** ERROR *** " + report), std::string::npos) << printed();
    std::string text = log();
    EXPECT_NE(text.find("\terror(): " + report), std::string::npos) << text;
    // The path within the source tree, whatever folder the build ran in.
    EXPECT_NE(text.find(report + "project_qel/tests/engine/FatalErrorTest.cpp\n Line: "), std::string::npos) << text;
    EXPECT_THAT(text, testing::ContainsRegex("FatalErrorTest\\.cpp\n Line: [0-9]+\n(\\+[0-9]+)?\terror\\(\\): Forced exit\\.\n$"));
    EXPECT_EQ(crashLog(), text);
}

TEST_F(FatalError, PlainErrorUsesTheShortReport)
{
    EXPECT_EXIT(failWithMessage(), testing::ExitedWithCode(255), "");
    EXPECT_NE(log().find("error(): Error: Key 'frameRate' could not be found in section 'Qel'.\n"
                         " Function: failWithMessage()\n File: "),
              std::string::npos)
        << log();
    EXPECT_EQ(crashLog(), log());
}

TEST_F(FatalError, ErrorBeforeTheEngineStillReportsAndExits)
{
    EXPECT_EXIT(
        {
            std::freopen("stdout.txt", "w", stdout);
            QEL_FATAL("too early");
        },
        testing::ExitedWithCode(255), "");
    EXPECT_NE(printed().find("*** ERROR *** Error: too early\n Function: "), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.userFolder() + "crash.Vabodemo.log"));
}

TEST_F(FatalError, SecondErrorDuringTheFirstStillEndsTheProcess)
{
    struct Trap {
        static u32 ticks()
        {
            // The log asks the clock for every line: raise again from inside
            // the report of the first error.
            static int calls = 0;
            if (++calls == 5) {
                QEL_FATAL("second %s", "problem");
            }
            return 1000u + calls;
        }
    };
    EXPECT_EXIT(
        {
            setTickSource(&Trap::ticks);
            failTwice();
        },
        testing::ExitedWithCode(255), "");
    std::string text = log();
    EXPECT_NE(text.find("second problem"), std::string::npos) << text;
    EXPECT_EQ(crashLog(), text);
}

TEST(GLErrorNames, KnownAndUnknownCodes)
{
    const char* const names[] = {"GL_INVALID_ENUM",    "GL_INVALID_VALUE",    "GL_INVALID_OPERATION",
                                 "GL_STACK_OVERFLOW",  "GL_STACK_UNDERFLOW", "GL_OUT_OF_MEMORY",
                                 "Unknown error."};
    EXPECT_EQ(ErrorManager::getGLErrorName(0), "GL_NO_ERROR");
    for (unsigned i = 0; i < 7; ++i) {
        EXPECT_EQ(ErrorManager::getGLErrorName(0x0500 + i), names[i]);
    }
}
