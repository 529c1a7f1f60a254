// The exit address reaches the desktop's opener as one argument, exactly as
// stored, and shell syntax in it runs nothing.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/ExitAddress.h"
#include "support/TempFolder.h"

namespace {

// An opener on the PATH that writes each argument it gets on a line.
class FakeOpener : public testing::Test {
protected:
    FakeOpener()
    {
        const std::string bin = folder.path + "/bin";
        std::filesystem::create_directories(bin);
        TempFolder::writeFile(bin + "/xdg-open",
                              "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                                  folder.path + "/opened\"\n");
        std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
        const char* path = std::getenv("PATH");
        previousPath = path != nullptr ? path : "";
        setenv("PATH", (bin + ":" + previousPath).c_str(), 1);
    }
    ~FakeOpener() override { setenv("PATH", previousPath.c_str(), 1); }

    std::string openAndWait(const std::string& address)
    {
        const pid_t child = openAddress(UString(address));
        EXPECT_GT(child, 0);
        int status = 0;
        EXPECT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        return TempFolder::readFile(folder.path + "/opened");
    }

    TempFolder folder;
    std::string previousPath;
};

} // namespace

TEST_F(FakeOpener, TheAddressIsTheOpenersOneArgument)
{
    EXPECT_EQ(openAndWait("http://www.example.com/vabo/onlinehelp.php?lang=0&x=1"),
              "http://www.example.com/vabo/onlinehelp.php?lang=0&x=1\n");
    EXPECT_EQ(openAndWait("./readme.htm"), "./readme.htm\n");
}

TEST_F(FakeOpener, ShellSyntaxInTheAddressRunsNothing)
{
    const std::string marker = folder.path + "/ran";
    const std::string address = "http://x/; touch " + marker + " $(touch " + marker + ") `touch " + marker + "`";
    EXPECT_EQ(openAndWait(address), address + "\n");
    EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST_F(FakeOpener, AnEmptyAddressStartsNothing)
{
    EXPECT_EQ(openAddress(UString()), -1);
    EXPECT_FALSE(std::filesystem::exists(folder.path + "/opened"));
}
