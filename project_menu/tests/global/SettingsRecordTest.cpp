#include "global/SettingsRecord.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <tuple>

#include <gtest/gtest.h>

#include "global/Random.h"
#include "global/UserFiles.h"
#include "system/Md5.h"

namespace {

using Image = SettingsRecord::Image;

class SettingsRecordTest : public UserFileTest<SettingsRecord> {
protected:
    // Every field of the record changed from its default.
    static void changeEveryField(SettingsRecord& record)
    {
        record.recordId = 0xA1B2C3D4;
        std::memcpy(record.countryCode, "DE", 2);
        HighScoreEntry& entry = record.highScores[3];
        std::memset(entry.checkValue, 0xEE, 16);
        std::strcpy(entry.name, "Anna");
        entry.level = 17;
        entry.score = 65432;
        entry.time = Time(0x0102030405060708);
        record.detail = 0;
        record.videoMode = 1;
        record.maxFps = 75;
        record.fullscreen = false;
        record.bilinearFilter = false;
        record.vsync = true;
        record.showFps = true;
        record.soundQuality = 2;
        record.soundVolume = 11;
        record.musicVolume = 12;
        record.ingameMusic = false;
        record.mouseSensitivity = 3;
        record.allowCheats = true;
        record.tutorial = false;
        record.colorBlind = true;
        record.swapMouse = true;
        record.colorizeMouse = false;
        record.wizardFinished = true;
        record.countryIndex = 77;
        record.netAddress.set(0xC0A80001, 0x1234);
        record.countryDirection = V3(0.25f, 0.5f, -0.75f);
        record.keyBindings[5] = {0x2D, 0x113};
        record.runStart = Time(-2);
        record.secondsPlayed = 98765;
        record.newUserPrompted = false;
    }
    // That record as a valid file of an earlier run would hold it, saved as
    // the record file. Its runStart lies in the future, so that loading
    // keeps it.
    Image writeCustomFile()
    {
        Image image;
        {
            SettingsRecord record;
            changeEveryField(record);
            record.runStart = Time(Time::now().seconds + 1000000);
            image = record.toImage();
        }
        writeImage(image);
        return image;
    }

    std::string logText() const { return core.logText(); }
    // The default high score table: empty names and check values, level 0,
    // 100000 down to 10000, dated from `notBefore` on.
    static void expectDefaultHighScores(const u8* image, i64 notBefore)
    {
        for (int place = 0; place < 10; ++place) {
            const u8* entry = image + 88 + 48 * place;
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry), 16), std::string(16, '\0')) << place;
            EXPECT_EQ(entry[16], 0) << place;
            EXPECT_EQ(int32At(entry, 32), 0) << place;
            EXPECT_EQ(int32At(entry, 36), 100000 - 10000 * place) << place;
            EXPECT_GE(int64At(entry, 40), notBefore) << place;
        }
    }
};

TEST_F(SettingsRecordTest, FirstStartGivesEveryDefaultAtItsOffset)
{
    i64 before = Time::now().seconds;
    SettingsRecord record;
    i64 after = Time::now().seconds;
    Image image = record.toImage();
    const u8* b = image.data();

    EXPECT_EQ(textAt(b, 0, 32), "Vabodemo");
    EXPECT_EQ(textAt(b, 32, 16), "1.30");
    EXPECT_EQ(b[48], 0);
    EXPECT_NE(record.recordId, 0u);
    EXPECT_EQ(u32(int32At(b, 80)), record.recordId);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b + 84), 2), "--");
    expectDefaultHighScores(b, before);
    EXPECT_LE(int64At(b, 88 + 40), after);
    expectFields(b, {{568, 4, 1}, {572, 4, 2}, {576, 4, 100}, {580, 1, 1}, {581, 1, 1}, {582, 1, 0}, {583, 1, 0},
                     {584, 4, 1}, {588, 4, 24}, {592, 4, 15}, {596, 1, 1}, {600, 4, 2}, {604, 1, 0}, {605, 1, 1},
                     {606, 1, 0}, {607, 1, 0}, {608, 1, 1}, {609, 1, 0}, {612, 4, 0}});
    const u8 address[16] = {0, 2};
    EXPECT_EQ(std::memcmp(b + 616, address, 16), 0);
    EXPECT_EQ(floatAt(b, 632), 0.0f);
    EXPECT_EQ(floatAt(b, 636), 0.0f);
    EXPECT_EQ(floatAt(b, 640), -1.0f);
    expectFields(b, {{644, 4, 0xCB}, {648, 4, 0x102}, {652, 4, 0xCD}, {656, 4, 0x103}, {660, 4, 0xC8},
                     {664, 4, 0x100}, {668, 4, 0xD0}, {672, 4, 0x101}, {676, 4, 0x39}, {680, 4, 0x110},
                     {684, 4, 0x1C}, {688, 4, 0x111}, {704, 4, 0}, {708, 1, 1}});
    EXPECT_GE(int64At(b, 696), before);
    EXPECT_LE(int64At(b, 696), after);
    EXPECT_NE(logText().find("loadUserFile(): No file '" + path() + "' yet; using the default settings."),
              std::string::npos);
}

TEST_F(SettingsRecordTest, RandomFillReachesEveryByteNoDefaultWrites)
{
    SettingsRecord record;
    std::srand(1234);
    record.setDefaults();
    std::srand(1234);
    Image fill;
    for (int word = 0; word < 182; ++word) {
        putInt32(fill.data(), 4 * word, i32(random32()));
    }
    Image image = record.toImage();
    auto sameRange = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            EXPECT_EQ(image[i], fill[i]) << "byte " << i;
        }
    };
    sameRange(9, 32);
    sameRange(37, 48);
    sameRange(49, 80);
    sameRange(86, 88);
    for (int place = 0; place < 10; ++place) {
        sameRange(88 + 48 * place + 17, 88 + 48 * place + 32);
    }
    sameRange(597, 600);
    sameRange(610, 612);
    sameRange(692, 696);
    sameRange(709, 728);
    EXPECT_EQ(record.recordId, 0u) << "drawn only at load";
}

TEST_F(SettingsRecordTest, EveryFieldIsWrittenAtItsOffset)
{
    SettingsRecord record;
    changeEveryField(record);
    Image image = record.toImage();
    const u8* b = image.data();
    EXPECT_EQ(u32(int32At(b, 80)), 0xA1B2C3D4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b + 84), 2), "DE");
    const u8* place3 = b + 88 + 3 * 48;
    EXPECT_EQ(place3[0], 0xEE);
    EXPECT_EQ(place3[15], 0xEE);
    EXPECT_EQ(textAt(place3, 16, 16), "Anna");
    expectFields(place3, {{32, 4, 17}, {36, 4, 65432}, {40, 8, 0x0102030405060708}});
    expectFields(b, {{568, 4, 0}, {572, 4, 1}, {576, 4, 75}, {580, 1, 0}, {581, 1, 0}, {582, 1, 1}, {583, 1, 1},
                     {584, 4, 2}, {588, 4, 11}, {592, 4, 12}, {596, 1, 0}, {600, 4, 3}, {604, 1, 1}, {605, 1, 0},
                     {606, 1, 1}, {607, 1, 1}, {608, 1, 0}, {609, 1, 1}, {612, 4, 77}});
    const u8 address[16] = {0, 2, 0x12, 0x34, 192, 168, 0, 1};
    EXPECT_EQ(std::memcmp(b + 616, address, 16), 0);
    EXPECT_EQ(floatAt(b, 632), 0.25f);
    EXPECT_EQ(floatAt(b, 636), 0.5f);
    EXPECT_EQ(floatAt(b, 640), -0.75f);
    expectFields(b, {{644 + 40, 4, 0x2D}, {644 + 44, 4, 0x113}, {696, 8, -2}, {704, 4, 98765}, {708, 1, 0}});

    SettingsRecord copy;
    EXPECT_TRUE(copy.fromImage(image));
    EXPECT_EQ(copy.toImage(), image);
    EXPECT_EQ(copy.netAddress.getIP(), 0xC0A80001u);
    EXPECT_EQ(copy.netAddress.getPort(), 0x1234);
}

TEST_F(SettingsRecordTest, ValidFileLoadsAndSavesByteIdentical)
{
    Image written = writeCustomFile();
    std::string sealed = fileBytes();
    {
        SettingsRecord record;
        EXPECT_EQ(record.toImage(), written);
        EXPECT_EQ(record.recordId, 0xA1B2C3D4u);
    }
    // The run ended "before" its start, so no time was added either.
    EXPECT_EQ(fileBytes(), sealed);
    EXPECT_EQ(logText().find("is damaged"), std::string::npos);
    EXPECT_EQ(logText().find("brought back"), std::string::npos);

    // A start later than the stored one is kept; a missing id is drawn.
    putInt64(written.data(), 696, 1000);
    putInt32(written.data(), 80, 0);
    writeImage(written);
    i64 before = Time::now().seconds;
    SettingsRecord record;
    EXPECT_GE(record.runStart.seconds, before);
    EXPECT_NE(record.recordId, 0u);
}

TEST_F(SettingsRecordTest, DamagedTruncatedOrWrongSizedFilesGiveTheDefaults)
{
    Image custom = writeCustomFile();
    std::string sealed = fileBytes();
    std::string flipped = sealed;
    flipped[sealed.size() / 2] ^= 0x10;
    std::string wrongSize(reinterpret_cast<const char*>(custom.data()), custom.size());
    struct Case {
        const char* what;
        std::function<void()> write;
    } cases[] = {
        {"one byte changed", [&] { TempFolder::writeFile(path(), flipped); }},
        {"truncated", [&] { TempFolder::writeFile(path(), sealed.substr(0, sealed.size() - 5)); }},
        {"header only", [&] { TempFolder::writeFile(path(), sealed.substr(0, 64)); }},
        {"empty", [&] { TempFolder::writeFile(path(), ""); }},
        {"727 bytes", [&] { writeSealed(wrongSize.substr(0, 727)); }},
        {"729 bytes", [&] { writeSealed(wrongSize + "x"); }},
        {"not sealed", [&] { TempFolder::writeFile(path(), wrongSize); }},
    };
    const std::string line =
        "loadUserFile(): '" + path() + "' is damaged or not 728 bytes long; using the default settings.";
    size_t reported = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.write();
        const std::string bad = TempFolder::readFile(path());
        {
            SettingsRecord record;
            EXPECT_EQ(TempFolder::readFile(path() + ".damaged"), bad) << "a copy of the bad file is kept";
            EXPECT_EQ(record.maxFps, 100);
            EXPECT_EQ(record.highScores[0].score, 100000);
            EXPECT_EQ(record.highScores[0].name[0], 0);
            EXPECT_TRUE(record.newUserPrompted);
        }
        EXPECT_EQ(countOf(logText(), line), ++reported);
        // The defaults replace the bad file at exit.
        EXPECT_EQ(int32At(readImage().data(), 576), 100);
    }
}

TEST_F(SettingsRecordTest, LoadBringsEveryIndexAndDivisorIntoRange)
{
    Image image = writeCustomFile();
    u8* b = image.data();
    std::memset(b, 'A', 80);               // three texts without terminators
    std::memset(b + 88 + 16, 'B', 16);     // a name without a terminator
    putInt32(b, 568, 7);                   // detail
    putInt32(b, 572, -1);                  // video mode
    putInt32(b, 576, 0);                   // frames per second
    b[580] = 2;                            // booleans
    b[605] = 0xFF;
    putInt32(b, 584, 3);                   // sound quality
    putInt32(b, 588, 25);                  // volumes
    putInt32(b, 592, -5);
    putInt32(b, 600, 9);                   // mouse sensitivity
    putInt32(b, 612, 241);                 // country position
    putInt32(b, 644, 312);                 // key codes
    putInt32(b, 644 + 4, -1);
    putInt32(b, 644 + 8 * 5 + 4, 311);     // the last valid code stays
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::memcpy(b + 636, &nan, 4);
    writeImage(image);

    SettingsRecord record;
    EXPECT_EQ(std::strlen(record.applicationName), 31u);
    EXPECT_EQ(std::strlen(record.versionText), 15u);
    EXPECT_EQ(std::strlen(record.reservedText), 31u);
    EXPECT_EQ(std::strlen(record.highScores[0].name), 15u);
    EXPECT_EQ(record.detail, 1);
    EXPECT_EQ(record.videoMode, 0);
    EXPECT_EQ(record.maxFps, 25);
    EXPECT_EQ(record.toImage()[580], 1);
    EXPECT_EQ(record.toImage()[605], 1);
    EXPECT_EQ(record.soundQuality, 2);
    EXPECT_EQ(record.soundVolume, 24);
    EXPECT_EQ(record.musicVolume, 0);
    EXPECT_EQ(record.mouseSensitivity, 4);
    EXPECT_EQ(record.countryIndex, 240);
    EXPECT_EQ(record.keyBindings[0].key, 0xCB);
    EXPECT_EQ(record.keyBindings[0].alternative, 0x102);
    EXPECT_EQ(record.keyBindings[5].alternative, 311);
    EXPECT_EQ(record.countryDirection, V3(0.0f, 0.0f, -1.0f));
    // Fields in range stay as loaded.
    EXPECT_EQ(record.secondsPlayed, 98765);
    EXPECT_EQ(record.recordId, 0xA1B2C3D4u);
    EXPECT_NE(logText().find("brought back into them"), std::string::npos);

    putInt32(b, 576, 1000);
    putInt32(b, 612, -3);
    EXPECT_FALSE(record.fromImage(image));
    EXPECT_EQ(record.maxFps, 125);
    EXPECT_EQ(record.countryIndex, 0);

    // The limits themselves are in range.
    record.maxFps = 25;
    record.countryIndex = 240;
    record.keyBindings[2] = {0, 311};
    EXPECT_TRUE(record.fromImage(record.toImage()));
    record.maxFps = 125;
    record.soundVolume = 0;
    record.musicVolume = 24;
    EXPECT_TRUE(record.fromImage(record.toImage()));
}

TEST_F(SettingsRecordTest, RunTimeIsAddedAtExitAndSaturates)
{
    const i32 most = std::numeric_limits<i32>::max();
    // A start 100 s ago, and one later than now (a clock set back).
    for (const auto& [started, played, least, expected] :
         {std::tuple{-100, 5, 105, -1}, std::tuple{-100, most - 1, most, most}, std::tuple{100, 5, 5, 5}}) {
        SCOPED_TRACE(played);
        {
            SettingsRecord record;
            record.runStart = Time(Time::now().seconds + started);
            record.secondsPlayed = played;
        }
        const i32 stored = int32At(readImage().data(), 704);
        EXPECT_GE(stored, least);
        if (expected >= 0) {
            EXPECT_EQ(stored, expected);
        }
    }
}

TEST_F(SettingsRecordTest, AFailedWriteKeepsThePreviousFileAndIsMadeAtTheNextCheckpoint)
{
    writeCustomFile();
    std::string sealed = fileBytes();
    {
        SettingsRecord record;
        record.maxFps = 30;
        FullDisk full(16);
        record.save();
    }
    // The destructor's save went through once the disk had room again.
    EXPECT_EQ(int32At(readImage().data(), 576), 30);

    SettingsRecord* record = new SettingsRecord;
    record->maxFps = 45;
    std::string saved = fileBytes();
    {
        FullDisk full(16);
        delete record;
    }
    EXPECT_EQ(fileBytes(), saved);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(core.folder.userFolder())) {
        files += entry.path().filename().string().find(".hst") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(files, 1) << "no temporary file is left behind";

    // Unstored until a write succeeds: each checkpoint tries again, with a
    // line in the log for each failure.
    SettingsRecord again;
    again.maxFps = 60;
    const size_t warnings = countOf(logText(), "Warning: could not");
    {
        FullDisk full(16);
        EXPECT_FALSE(again.save());
        EXPECT_FALSE(again.saveIfChanged());
    }
    EXPECT_EQ(countOf(logText(), "Warning: could not"), warnings + 2);
    EXPECT_TRUE(again.saveIfChanged());
    EXPECT_TRUE(isOnDisk(again));
    EXPECT_FALSE(again.saveIfChanged()) << "stored now";
}

// The keyed digest of an entry, computed from the bytes at its offsets with
// the check value cleared.
bool hasValidSignature(const Image& image, int place)
{
    u8 entry[48];
    std::memcpy(entry, image.data() + 88 + 48 * place, 48);
    std::memset(entry, 0, 16);
    unsigned char digest[16];
    md5Keyed(digest, u32(-27316485), entry, 48);
    return std::memcmp(digest, image.data() + 88 + 48 * place, 16) == 0;
}

TEST_F(SettingsRecordTest, ANewHighScoreShiftsTheEntriesBelowItDown)
{
    SettingsRecord record;
    // A score below the table changes nothing; one equal to the last
    // entry takes its place.
    Image before = record.toImage();
    EXPECT_EQ(record.insertHighScore("Late", 9999, 1, true), -1);
    EXPECT_EQ(record.toImage(), before);
    EXPECT_EQ(record.insertHighScore("Last", 10000, 1, true), 9);
    EXPECT_EQ(record.highScores[8].score, 20000);

    EXPECT_EQ(record.insertHighScore("Ville", 75000, 12, true), 3);
    Image image = record.toImage();
    EXPECT_TRUE(hasValidSignature(image, 3));
    const i32 expected[10] = {100000, 90000, 80000, 75000, 70000, 60000, 50000, 40000, 30000, 20000};
    for (int place = 0; place < 10; ++place) {
        EXPECT_EQ(record.highScores[place].score, expected[place]) << "place " << place;
    }
    EXPECT_EQ(std::string(record.highScores[3].name), "Ville");
    EXPECT_EQ(record.highScores[3].level, 12);

    // A higher score moves the signed entry down whole; its check value
    // stays valid at its new place.
    EXPECT_EQ(record.insertHighScore("Aino", 95000, 20, false), 1);
    image = record.toImage();
    EXPECT_TRUE(hasValidSignature(image, 4));
    EXPECT_EQ(std::string(record.highScores[4].name), "Ville");
    const u8 unsignedCheck[16] = {1};
    EXPECT_EQ(std::memcmp(record.highScores[1].checkValue, unsignedCheck, 16), 0);
    EXPECT_EQ(record.highScores[9].score, 30000);
}

TEST_F(SettingsRecordTest, EqualScoresGoAboveTheOlderEntry)
{
    SettingsRecord record;
    EXPECT_EQ(record.insertHighScore("First", 100000, 1, true), 0);
    EXPECT_EQ(std::string(record.highScores[0].name), "First");
    EXPECT_EQ(record.highScores[1].score, 100000);
    EXPECT_EQ(record.highScores[1].name[0], 0);
    EXPECT_EQ(record.highScores[2].score, 90000);

    EXPECT_EQ(record.insertHighScore("Second", 50000, 2, true), 6);
    EXPECT_EQ(record.insertHighScore("Third", 50000, 3, true), 6);
    EXPECT_EQ(std::string(record.highScores[6].name), "Third");
    EXPECT_EQ(std::string(record.highScores[7].name), "Second");
    EXPECT_EQ(record.highScores[8].score, 50000);
    EXPECT_EQ(record.highScores[9].score, 40000);
    Image image = record.toImage();
    for (int place : {0, 6, 7}) {
        EXPECT_TRUE(hasValidSignature(image, place)) << "place " << place;
    }
}

TEST_F(SettingsRecordTest, LongNamesAreCutAndTheBytesAfterTheTerminatorStay)
{
    SettingsRecord record;
    std::memset(record.highScores[0].name, 'z', 16);
    record.highScores[0].name[15] = 0;
    EXPECT_EQ(record.insertHighScore("Abcdefghijklmnopqrst", 200000, 1, false), 0);
    EXPECT_EQ(std::string(record.highScores[0].name), "Abcdefghijklmno");
    EXPECT_EQ(record.insertHighScore("Bo", 300000, 1, false), 0);
    // Place 0 held the cut name before; its tail is kept.
    EXPECT_EQ(std::string(record.highScores[0].name, 16), std::string("Bo\0defghijklmno\0", 16));
}

TEST_F(SettingsRecordTest, ResettingTheHighScoresLeavesEverythingElse)
{
    SettingsRecord record;
    record.insertHighScore("Someone", 500000, 30, true);
    record.highScores[9].level = 4;
    record.secondsPlayed = 777;
    record.maxFps = 40;
    Image before = record.toImage();
    i64 now = Time::now().seconds;
    record.resetHighScores();
    Image after = record.toImage();

    expectDefaultHighScores(after.data(), now);
    for (int place = 0; place < 10; ++place) {
        const int tail = 88 + 48 * place + 17;
        EXPECT_EQ(std::memcmp(after.data() + tail, before.data() + tail, 15), 0) << "name tail " << place;
    }
    EXPECT_EQ(std::memcmp(after.data(), before.data(), 88), 0);
    EXPECT_EQ(std::memcmp(after.data() + 568, before.data() + 568, 728 - 568), 0);
}

} // namespace
