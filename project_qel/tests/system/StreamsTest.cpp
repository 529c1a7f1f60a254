#include <gtest/gtest.h>

#include <vector>

#include "support/TempFolder.h"
#include "system/FileStream.h"
#include "system/MemoryStream.h"

TEST(FileStream, MissingFileStaysClosed)
{
    TempFolder folder;
    FileStream stream("missing.bin", FileStream::READ);
    EXPECT_FALSE(stream.isOpen);
    EXPECT_EQ(stream.size, -1);
    char buffer[4];
    EXPECT_EQ(stream.read(buffer, 4), -1);
    EXPECT_FALSE(stream.write("x", 1));
    EXPECT_FALSE(std::filesystem::exists("missing.bin"));
    std::filesystem::create_directory("sub");
    EXPECT_FALSE(FileStream("sub", FileStream::READ).isOpen) << "a folder is no readable file";
}

TEST(FileStream, ReadsInChunksUntilTheEnd)
{
    TempFolder folder;
    TempFolder::writeFile("data.bin", std::string(1500, 'z'));
    FileStream stream("data.bin", FileStream::READ);
    ASSERT_TRUE(stream.isOpen);
    EXPECT_EQ(stream.size, 1500);
    std::vector<char> buffer(1024);
    EXPECT_EQ(stream.read(buffer.data(), 1024), 1024);
    EXPECT_EQ(stream.read(buffer.data(), 1024), 476);
    EXPECT_EQ(stream.read(buffer.data(), 1024), 0);
    stream.seek(1499);
    EXPECT_EQ(stream.read(buffer.data(), 10), 1);
}

TEST(FileStream, WritingTruncatesAndWritesPlainLineFeeds)
{
    TempFolder folder;
    TempFolder::writeFile("out.txt", "old content that is long");
    {
        FileStream stream("out.txt", FileStream::WRITE);
        ASSERT_TRUE(stream.isOpen);
        EXPECT_EQ(stream.size, 0);
        stream.writeLine("");
        stream.writeLine("key=value");
        stream.write("ab", 2);
    }
    EXPECT_EQ(TempFolder::readFile("out.txt"), "\nkey=value\nab");
}

TEST(FileStream, ReadingWinsWhenBothModesAreGiven)
{
    TempFolder folder;
    TempFolder::writeFile("keep.txt", "keep");
    {
        FileStream stream("keep.txt", FileStream::READ | FileStream::WRITE);
        EXPECT_TRUE(stream.isOpen);
        EXPECT_EQ(stream.size, 4);
    }
    EXPECT_EQ(TempFolder::readFile("keep.txt"), "keep");
    FileStream neither("keep.txt", 0);
    EXPECT_FALSE(neither.isOpen);
}

TEST(MemoryStream, ReadsWhatIsLeftThenNothing)
{
    MemoryStream stream(5);
    for (int i = 0; i < 5; ++i) {
        stream.data[i] = static_cast<u8>('a' + i);
    }
    char buffer[8] = {};
    EXPECT_EQ(stream.read(buffer, 0), 0);
    EXPECT_EQ(stream.read(buffer, 3), 3);
    EXPECT_EQ(stream.read(buffer + 3, 8), 2);
    EXPECT_EQ(std::string(buffer), "abcde");
    EXPECT_EQ(stream.read(buffer, 8), 0);
    EXPECT_EQ(stream.read(buffer, -4), 0);
}
