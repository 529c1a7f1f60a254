#include "system/AtomicFile.h"

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "support/FileCore.h"

namespace {

int countFiles(const std::string& folder)
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

} // namespace

TEST(AtomicFile, ReplacesTheFileAndLeavesNoTemporaryFile)
{
    FileCore core;
    std::filesystem::create_directory("out");
    TempFolder::writeFile("out/a.txt", "old contents");
    ASSERT_TRUE(writeFileAtomically("out/a.txt", "new", 3));
    EXPECT_EQ(TempFolder::readFile("out/a.txt"), "new");
    EXPECT_EQ(countFiles("out"), 1);

    ASSERT_TRUE(writeFileAtomically("out/b.txt", "", 0));
    EXPECT_TRUE(std::filesystem::exists("out/b.txt"));
    EXPECT_EQ(std::filesystem::file_size("out/b.txt"), 0u);
}

TEST(AtomicFile, KeepsThePermissionsOfTheOldFile)
{
    FileCore core;
    TempFolder::writeFile("a.txt", "old");
    ::chmod("a.txt", 0640);
    ASSERT_TRUE(writeFileAtomically("a.txt", "new", 3));
    struct stat info {};
    ASSERT_EQ(::stat("a.txt", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    ASSERT_TRUE(writeFileAtomically("fresh.txt", "x", 1));
    ASSERT_EQ(::stat("fresh.txt", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(AtomicFile, AMissingFolderFailsWithAWarning)
{
    FileCore core;
    EXPECT_FALSE(writeFileAtomically("no/such/folder/a.txt", "x", 1));
    EXPECT_NE(core.logText().find("Warning: could not create a temporary file for 'no/such/folder/a.txt'"),
              std::string::npos);
}

TEST(AtomicFile, AFullDiskKeepsTheOldCopy)
{
    FileCore core;
    std::filesystem::create_directory("out");
    TempFolder::writeFile("out/a.txt", "the previous copy");
    std::string big(64 * 1024, 'x');
    {
        FullDisk full(4096);
        EXPECT_FALSE(writeFileAtomically("out/a.txt", big.data(), big.size()));
    }
    EXPECT_EQ(TempFolder::readFile("out/a.txt"), "the previous copy");
    EXPECT_EQ(countFiles("out"), 1);
    EXPECT_NE(core.logText().find("Warning: could not write 'out/a.txt'"), std::string::npos);
}

TEST(AtomicFile, DiscardedOrUncommittedWritesChangeNothing)
{
    FileCore core;
    TempFolder::writeFile("a.txt", "old");
    {
        AtomicFile file("a.txt");
        ASSERT_TRUE(file.isOpen());
        ASSERT_TRUE(file.write("new contents", 12));
    }
    EXPECT_EQ(TempFolder::readFile("a.txt"), "old");
    {
        AtomicFile file("a.txt");
        ASSERT_TRUE(file.write("new contents", 12));
        file.discard();
        EXPECT_FALSE(file.write("more", 4));
        EXPECT_FALSE(file.commit());
    }
    EXPECT_EQ(TempFolder::readFile("a.txt"), "old");
    EXPECT_EQ(countFiles("."), 2); // a.txt and the log
}

TEST(AtomicFile, SeekingBackOverwritesInPlace)
{
    FileCore core;
    AtomicFile file("a.bin");
    ASSERT_TRUE(file.write("....", 4));
    ASSERT_TRUE(file.write("tail", 4));
    ASSERT_TRUE(file.seek(0));
    ASSERT_TRUE(file.write("head", 4));
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(TempFolder::readFile("a.bin"), "headtail");
}
