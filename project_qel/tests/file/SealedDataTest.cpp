#include "file/SealedData.h"

#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "file/FileManager.h"
#include "file/WadBytes.h"
#include "object/RuntimeClass.h"
#include "support/FileCore.h"
#include "system/Md5.h"

namespace {

const char* const KEY_TEXT = "profile key";

std::string record(size_t size = 728)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = char(i % 7 == 0 ? i : 0);
    }
    return bytes;
}

std::string noise(size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = char(random());
    }
    return bytes;
}

// Saves `data` sealed as `name` in the working folder.
void saveRecord(const std::string& name, const std::string& data)
{
    FileManager::saveSealed(".", name, KEY_TEXT, data.data(), int(data.size()));
}

// Loads into a target filled with '#'; the target comes back either way.
bool loadRecord(const std::string& name, std::string& target, size_t size = 728)
{
    target.assign(size, '#');
    return FileManager::loadSealed(".", name, KEY_TEXT, target.data(), int(size));
}

// A sealed buffer with any length field and stream, under a valid digest.
std::string forge(i32 claimedSize, const std::string& stream, unsigned key)
{
    std::string bytes(SealedData::HEADER_SIZE, '\0');
    bytes += littleEndian32(claimedSize) + stream;
    md5Keyed(reinterpret_cast<unsigned char*>(&bytes[48]), key, &bytes[64], int(bytes.size() - 64));
    return bytes;
}

} // namespace

TEST(SealedData, WritesTheSealedFormatAndAnyDataRoundTrips)
{
    FileCore core;
    std::string data = record();
    saveRecord("settings.hst", data);
    std::string file = TempFolder::readFile("settings.hst");
    ASSERT_GT(file.size(), 68u);
    EXPECT_EQ(file.substr(0, 32), std::string("Vabodemo") + std::string(24, '\0'));
    EXPECT_EQ(file.substr(32, 16), std::string("1.30") + std::string(12, '\0'));
    EXPECT_EQ(file.substr(64, 4), littleEndian32(728));
    EXPECT_EQ(file[68], '\x78') << "a zlib stream";

    unsigned key = classNameHash((std::string("settings.hst") + KEY_TEXT).c_str());
    EXPECT_EQ(SealedData::makeKey("settings.hst", KEY_TEXT), key);
    unsigned char digest[16];
    md5Keyed(digest, key, &file[64], int(file.size() - 64));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(digest), 16), file.substr(48, 16));

    std::string target;
    ASSERT_TRUE(loadRecord("settings.hst", target));
    EXPECT_EQ(target, data);

    for (const std::string& data : {noise(4096, 3), std::string("x"), std::string(3, '\0')}) {
        saveRecord("p.pro", data);
        std::string target;
        ASSERT_TRUE(loadRecord("p.pro", target, data.size()));
        EXPECT_EQ(target, data);
    }
}

TEST(SealedData, NothingIsSealedOrWrittenAndNothingToLoadSucceeds)
{
    FileCore core;
    saveRecord("empty.pro", "");
    EXPECT_FALSE(std::filesystem::exists("empty.pro"));
    std::string target;
    EXPECT_TRUE(loadRecord("missing.pro", target, 0));
    EXPECT_FALSE(loadRecord("missing.pro", target));
    EXPECT_EQ(target, std::string(728, '#'));

    SealedData sealed;
    EXPECT_FALSE(sealed.seal("x", 0, 1));
    EXPECT_FALSE(sealed.seal("x", -5, 1));
    EXPECT_FALSE(sealed.seal(nullptr, 5, 1));
    EXPECT_EQ(sealed.data, nullptr);
    EXPECT_FALSE(sealed.save("never.written"));
    EXPECT_FALSE(std::filesystem::exists("never.written"));
}

TEST(SealedData, EveryChangedByteAfterTheTextsAndAMovedFileAreRefused)
{
    FileCore core;
    std::string data = record();
    saveRecord("settings.hst", data);
    const std::string original = TempFolder::readFile("settings.hst");
    for (size_t i = 0; i < original.size(); ++i) {
        std::string changed = original;
        changed[i] = char(changed[i] ^ 0x20);
        TempFolder::writeFile("settings.hst", changed);
        std::string target;
        // Nothing reads the application name and version back.
        EXPECT_EQ(loadRecord("settings.hst", target), i < 48) << "byte " << i;
        EXPECT_EQ(target, i < 48 ? data : std::string(728, '#')) << "byte " << i;
    }
    for (size_t length : {size_t(0), size_t(63), size_t(64), size_t(66), original.size() - 1}) {
        TempFolder::writeFile("settings.hst", original.substr(0, length));
        std::string target;
        EXPECT_FALSE(loadRecord("settings.hst", target)) << "cut to " << length;
        EXPECT_EQ(target, std::string(728, '#'));
    }
    TempFolder::writeFile("settings.hst", original + "x");
    std::string target;
    EXPECT_FALSE(loadRecord("settings.hst", target)) << "a byte appended";
    TempFolder::writeFile("settings.hst", original);
    EXPECT_FALSE(loadRecord("settings.hst", target, 727)) << "another length asked for";

    // A file moved to another name is refused.
    saveRecord("player1.pro", record());
    std::filesystem::rename("player1.pro", "player2.pro");
    EXPECT_FALSE(loadRecord("player2.pro", target));
    EXPECT_EQ(target, std::string(728, '#'));
    EXPECT_FALSE(FileManager::loadSealed(".", "player2.pro", "another key", target.data(), 728));
}

TEST(SealedData, RefusesForgedLengthsBeforeAllocating)
{
    unsigned key = 1234;
    SealedData sealed;
    ASSERT_TRUE(sealed.seal("hello", 5, key));
    std::string stream(reinterpret_cast<char*>(sealed.data.get()) + 68, size_t(sealed.size - 68));

    for (i32 claimed : {-1, i32(0x80000000), SealedData::MAX_SIZE + 1, 0x7fffffff, 100000, 4, 6}) {
        std::string forged = forge(claimed, stream, key);
        EXPECT_FALSE(sealed.unseal(forged.data(), int(forged.size()), key)) << claimed;
        EXPECT_EQ(sealed.data, nullptr);
        EXPECT_EQ(sealed.size, 0);
    }
    std::string valid = forge(5, stream, key);
    ASSERT_TRUE(sealed.unseal(valid.data(), int(valid.size()), key));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(sealed.data.get()), 5), "hello");

    std::string junk = forge(5, "not a zlib stream", key);
    EXPECT_FALSE(sealed.unseal(junk.data(), int(junk.size()), key));
    std::string noLength = forge(0, "", key).substr(0, 66);
    md5Keyed(reinterpret_cast<unsigned char*>(&noLength[48]), key, &noLength[64], 2);
    EXPECT_FALSE(sealed.unseal(noLength.data(), int(noLength.size()), key)) << "digest fits, length cut";
    EXPECT_FALSE(sealed.unseal(nullptr, 100, key));
}

TEST(SealedData, AFailedSaveKeepsThePreviousFile)
{
    FileCore core;
    std::string data = record();
    saveRecord("settings.hst", data);
    const std::string previous = TempFolder::readFile("settings.hst");
    {
        FullDisk full(4096);
        saveRecord("settings.hst", noise(64 * 1024, 5));
    }
    EXPECT_EQ(TempFolder::readFile("settings.hst"), previous);
    EXPECT_NE(core.logText().find("Warning: could not write './settings.hst'"), std::string::npos);
    std::string target;
    EXPECT_TRUE(loadRecord("settings.hst", target));
    EXPECT_EQ(target, data);
}
