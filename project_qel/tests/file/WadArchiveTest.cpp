#include "file/WadArchive.h"

#include <gtest/gtest.h>

#include "file/WadBytes.h"
#include "system/MemoryStream.h"

namespace {

bool readDirectory(const std::string& bytes, WadDirectory& out, i64 claimedSize = -1)
{
    MemoryStream stream(int(bytes.size()));
    std::memcpy(stream.data.get(), bytes.data(), bytes.size());
    return readWadDirectory(stream, claimedSize >= 0 ? claimedSize : i64(bytes.size()), "pack.dat", out);
}

} // namespace

TEST(WadArchive, NamesAreScrambledAndRestoredAndAFieldBelow0x80IsPlain)
{
    u8 field[WAD_NAME_SIZE];
    for (const char* name : {"gfx/gui/game/progressbar.tga", "", "x"}) {
        encodeWadName(name, field);
        EXPECT_GE(field[0], 0x80) << name;
        UString restored;
        ASSERT_TRUE(decodeWadName(field, restored));
        EXPECT_EQ(restored, name);
    }
    std::string longest(WAD_MAX_NAME_LENGTH, 'n');
    encodeWadName(longest, field);
    UString restored;
    ASSERT_TRUE(decodeWadName(field, restored));
    EXPECT_EQ(restored, longest);

    // A field below 0x80 is a plain name.
    std::memset(field, 0xAA, sizeof(field));
    std::memcpy(field, "sfx/plain.ogg", 14);
    UString name;
    ASSERT_TRUE(decodeWadName(field, name));
    EXPECT_EQ(name, "sfx/plain.ogg");

    std::memset(field, 'a', sizeof(field));
    EXPECT_FALSE(decodeWadName(field, name)) << "a field without a zero byte";
    std::memset(field, 0xD7 ^ 'a', sizeof(field));
    EXPECT_FALSE(decodeWadName(field, name)) << "a scrambled field without a zero byte";
}

TEST(WadArchive, CompressionMustSaveMoreThanFivePercent)
{
    EXPECT_TRUE(wadCompressionWorthIt(1000, 949));
    EXPECT_FALSE(wadCompressionWorthIt(1000, 950));
    EXPECT_FALSE(wadCompressionWorthIt(1000, 1011));
    EXPECT_FALSE(wadCompressionWorthIt(0, 8));
    EXPECT_TRUE(wadCompressionWorthIt(1 << 30, 1000));
}

TEST(WadArchive, ReadsTheDirectory)
{
    WadDirectory directory;
    ASSERT_TRUE(readDirectory(wadBytes({}), directory));
    EXPECT_TRUE(directory.entries.empty());

    i32 start = wadDataStart(2);
    std::string bytes = wadBytes({{"a.txt", "", start, 5, 5}, {"b/c.bin", "", start + 5, 100, 3}}, "hello123");
    ASSERT_TRUE(readDirectory(bytes, directory)) << directory.problem;
    ASSERT_EQ(directory.entries.size(), 2u);
    EXPECT_EQ(directory.entries[1].fileName, "b/c.bin");
    EXPECT_EQ(directory.entries[1].wadName, "pack.dat");
    EXPECT_EQ(directory.entries[1].offset, start + 5);
    EXPECT_EQ(directory.entries[1].size, 100);
    EXPECT_EQ(directory.entries[1].storedSize, 3);
    EXPECT_TRUE(directory.entries[1].isCompressed());

    std::string negativeCount = littleEndian32(WAD_VERSION) + littleEndian32(-5);
    ASSERT_TRUE(readDirectory(negativeCount, directory));
    EXPECT_TRUE(directory.entries.empty());
}

TEST(WadArchive, RefusesDamagedArchives)
{
    i32 start = wadDataStart(1);
    struct Case {
        const char* what;
        std::string bytes;
        const char* problem;
    } cases[] = {
        {"empty file", "", "too short for the header"},
        {"short header", littleEndian32(WAD_VERSION) + "\1", "too short for the header"},
        {"directory past the end", wadBytes({{"a", "", start, 0, 0}}).substr(0, 60), "runs past the end"},
        {"huge count", littleEndian32(WAD_VERSION) + littleEndian32(0x7fffffff), "runs past the end"},
        {"data past the end", wadBytes({{"a", "", start, 10, 10}}, "123456789"), "lies outside"},
        {"offset past the end", wadBytes({{"a", "", 1 << 30, 0, 0}}), "lies outside"},
        {"negative offset", wadBytes({{"a", "", -4, 4, 4}}), "lies outside"},
        {"negative size", wadBytes({{"a", "", start, -1, 2}}, "xx"), "lies outside"},
        {"negative stored size", wadBytes({{"a", "", start, 2, -2}}, "xx"), "lies outside"},
        {"offset and size wrap", wadBytes({{"a", "", 0x7ffffff0, 0x20, 0x20}}), "lies outside"},
        {"impossible inflation", wadBytes({{"a", "", start, 0x7fffffff, 2}}, "xx"), "claims"},
    };
    for (const Case& c : cases) {
        WadDirectory directory;
        EXPECT_FALSE(readDirectory(c.bytes, directory)) << c.what;
        EXPECT_NE(directory.problem.find(c.problem), std::string::npos) << c.what << ": " << directory.problem;
        EXPECT_TRUE(directory.entries.empty()) << c.what;
    }

    std::string unterminated = wadBytes({{"a", "", start, 0, 0}});
    std::memset(&unterminated[WAD_HEADER_SIZE], 'z', WAD_NAME_SIZE);
    WadDirectory directory;
    EXPECT_FALSE(readDirectory(unterminated, directory));
    EXPECT_NE(directory.problem.find("no terminator"), std::string::npos);

    // Another version is reported as such.
    WadDirectory version;
    EXPECT_FALSE(readDirectory(wadBytes({}, "", 3), version));
    EXPECT_TRUE(version.hasHeader);
    EXPECT_EQ(version.version, 3);

    // A short read is refused even when the size claims more.
    WadDirectory shortRead;
    EXPECT_FALSE(readDirectory(unterminated.substr(0, 50), shortRead, i64(unterminated.size())));
    EXPECT_NE(shortRead.problem.find("could not be read"), std::string::npos);
}

TEST(WadArchive, OnlyNamesThatReadBackCanBeStored)
{
    EXPECT_EQ(wadNameProblem(""), "");
    EXPECT_EQ(wadNameProblem(std::string(WAD_MAX_NAME_LENGTH, 'a')), "");
    EXPECT_NE(wadNameProblem(std::string(WAD_MAX_NAME_LENGTH + 1, 'a')).find("80 bytes long"), std::string::npos);
    EXPECT_NE(wadNameProblem(std::string("a\0b", 3)).find("zero byte"), std::string::npos);
    EXPECT_NE(wadNameProblem("\xe9t\xe9.txt").find("0x80"), std::string::npos);
    EXPECT_EQ(wadNameProblem("gfx/\xe9t\xe9.txt"), "") << "only the first byte matters";

    // Why the first byte matters: it decides whether the field is unscrambled.
    u8 field[WAD_NAME_SIZE];
    encodeWadName("\xe9t\xe9", field);
    UString restored;
    decodeWadName(field, restored);
    EXPECT_NE(restored, "\xe9t\xe9");
}
