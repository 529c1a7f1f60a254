#include "global/ProfileStore.h"

#include <cstdlib>
#include <limits>
#include <tuple>

#include <gtest/gtest.h>

#include "global/Random.h"
#include "global/UserFiles.h"

namespace {

using Image = ProfileStore::Image;

class ProfileStoreTest : public UserFileTest<ProfileStore> {
protected:
    // A store of three players, the second current, saved as the file.
    Image writeThreePlayers()
    {
        Image image;
        {
            ProfileStore store;
            store.createProfile("Aino");
            store.createProfile("Bertta");
            store.createProfile("Cecilia");
            store.selectProfile(1);
            Profile& second = store.getProfile(1);
            second.advanceLevel(12);
            second.addScore(4321);
            second.hasSavedGame = true;
            image = store.toImage();
        }
        writeImage(image);
        return image;
    }
};

TEST_F(ProfileStoreTest, FirstStartHasNoProfile)
{
    ProfileStore store;
    EXPECT_EQ(store.countProfiles(), 0);
    EXPECT_EQ(store.currentIndex, 0);
    EXPECT_EQ(store.lastPlace, -1);
    Image image = store.toImage();
    EXPECT_EQ(int32At(image.data(), 0), -1);
    for (int i = 4; i < 488; ++i) {
        EXPECT_EQ(image[i], 0) << "byte " << i;
    }
    std::string log = core.logText();
    EXPECT_NE(log.find("loadUserFile(): No file '" + path() + "' yet; starting without profiles."), std::string::npos);
    EXPECT_NE(log.find("onCurrentProfileChanged(): Changing profile to ''..."), std::string::npos);
}

TEST_F(ProfileStoreTest, EveryFieldIsWrittenAtItsOffset)
{
    ProfileStore store;
    store.lastPlace = 4;
    store.currentIndex = 7;
    Profile& profile = store.getProfile(2);
    std::strcpy(profile.name, "Onni");
    profile.id = 0xDEADBEEF;
    profile.level = 11;
    profile.bestLevel = 22;
    profile.score = 33333;
    profile.lives = 4;
    profile.hearts = 55;
    profile.noSignCount = 6;
    profile.hasSavedGame = true;

    Image image = store.toImage();
    const u8* b = image.data();
    expectFields(b, {{0, 4, 4}, {4, 4, 7}});
    const u8* slot = b + 8 + 2 * 48;
    EXPECT_EQ(textAt(slot, 0, 16), "Onni");
    expectFields(slot, {{16, 4, i32(0xDEADBEEF)}, {20, 4, 11}, {24, 4, 22}, {28, 4, 33333}, {32, 4, 4}, {36, 4, 55},
                        {40, 4, 6}, {44, 1, 1}, {45, 1, 0}, {46, 1, 0}, {47, 1, 0}});

    ProfileStore copy;
    EXPECT_TRUE(copy.fromImage(image));
    EXPECT_EQ(copy.toImage(), image);
}

TEST_F(ProfileStoreTest, ValidFileLoadsAndSavesByteIdentical)
{
    Image written = writeThreePlayers();
    std::string sealed = fileBytes();
    {
        ProfileStore store;
        EXPECT_EQ(store.toImage(), written);
        EXPECT_EQ(store.countProfiles(), 3);
        EXPECT_EQ(store.currentIndex, 1);
        EXPECT_EQ(store.getProfile(1).score, 4321);
        EXPECT_EQ(store.getProfile(1).bestLevel, 12);
    }
    EXPECT_EQ(fileBytes(), sealed);
    EXPECT_NE(core.logText().find("Changing profile to 'Bertta'..."), std::string::npos);

    // The last place is cleared at every start.
    putInt32(written.data(), 0, 3);
    writeImage(written);
    ProfileStore store;
    EXPECT_EQ(store.lastPlace, -1);
}

TEST_F(ProfileStoreTest, DamagedTruncatedOrWrongSizedFilesGiveNoProfile)
{
    Image image = writeThreePlayers();
    std::string sealed = fileBytes();
    std::string raw(reinterpret_cast<const char*>(image.data()), image.size());
    std::string flipped = sealed;
    flipped[70] ^= 1;
    const std::string line = "'" + path() + "' is damaged or not 488 bytes long; starting without profiles.";
    for (const auto& [what, bytes, seal] : {std::tuple{"flipped", flipped, false},
                                            std::tuple{"truncated", sealed.substr(0, sealed.size() / 2), false},
                                            std::tuple{"487 bytes", raw.substr(0, 487), true},
                                            std::tuple{"489 bytes", raw + "!", true},
                                            std::tuple{"not sealed", raw, false}}) {
        SCOPED_TRACE(what);
        if (seal) {
            writeSealed(bytes);
        } else {
            TempFolder::writeFile(path(), bytes);
        }
        ProfileStore store;
        EXPECT_EQ(store.countProfiles(), 0);
        EXPECT_EQ(store.currentIndex, 0);
    }
    EXPECT_EQ(countOf(core.logText(), line), 5u);
}

TEST_F(ProfileStoreTest, LoadBringsSlotIndexNamesAndCountersIntoRange)
{
    Image image = writeThreePlayers();
    u8* b = image.data();
    putInt32(b, 4, 10);                 // current slot
    std::memset(b + 8, 'N', 16);        // a name without a terminator
    b[8 + 48 + 44] = 7;                 // saved-game flag
    putInt32(b, 8 + 48 + 20, -4);       // level
    putInt32(b, 8 + 48 + 24, -1);       // best level
    putInt32(b, 8 + 48 + 28, -100);     // score
    putInt32(b, 8 + 48 + 32, -2);       // lives
    putInt32(b, 8 + 96 + 36, 150);      // hearts
    writeImage(image);

    ProfileStore store;
    EXPECT_EQ(store.currentIndex, 0);
    EXPECT_EQ(std::strlen(store.getProfile(0).name), 15u);
    const Profile& second = store.getProfile(1);
    EXPECT_TRUE(second.hasSavedGame);
    EXPECT_EQ(store.toImage()[8 + 48 + 44], 1);
    EXPECT_EQ(second.level, 0);
    EXPECT_EQ(second.bestLevel, 0);
    EXPECT_EQ(second.score, 0);
    EXPECT_EQ(second.lives, 0);
    EXPECT_EQ(store.getProfile(2).hearts, 99);
    EXPECT_NE(core.logText().find("brought back into them"), std::string::npos);

    putInt32(b, 4, -1);
    putInt32(b, 0, 10);
    EXPECT_FALSE(store.fromImage(image));
    EXPECT_EQ(store.currentIndex, 0);
    EXPECT_EQ(store.lastPlace, -1);
    putInt32(b, 4, 9);
    putInt32(b, 0, 9);
    store.fromImage(image);
    EXPECT_EQ(store.currentIndex, 9);
    EXPECT_EQ(store.lastPlace, 9);
}

TEST_F(ProfileStoreTest, CreatingTakesTheFirstFreeSlotUntilAllTenAreUsed)
{
    ProfileStore store;
    store.createProfile("Eka");
    store.createProfile("Toka");
    store.deleteProfile(0);
    store.lastPlace = 2;
    store.createProfile("Kolmas");
    EXPECT_EQ(store.currentIndex, 1);
    EXPECT_EQ(std::string(store.getProfile(1).name), "Kolmas");
    EXPECT_EQ(store.lastPlace, -1);
    const Profile& fresh = store.getProfile(1);
    EXPECT_EQ(fresh.lives, 3);
    EXPECT_EQ(fresh.level, 0);
    EXPECT_EQ(fresh.score, 0);
    EXPECT_FALSE(fresh.hasSavedGame);

    store.createProfile("Sixteen letters!");
    EXPECT_EQ(std::string(store.getProfile(2).name), "Sixteen letters");
    for (int i = 3; i < 10; ++i) {
        store.createProfile("P" + std::to_string(i));
    }
    EXPECT_EQ(store.countProfiles(), 10);
    Image full = store.toImage();
    store.createProfile("Eleventh");
    EXPECT_EQ(store.toImage(), full);
}

TEST_F(ProfileStoreTest, ANewProfileNeverSharesAnId)
{
    ProfileStore store;
    std::srand(99);
    u32 first = random32();
    for (int i = 0; i < 10; ++i) {
        std::srand(99); // every profile draws the same first id
        store.createProfile("P" + std::to_string(i));
    }
    EXPECT_EQ(store.getProfile(0).id, first);
    for (int i = 0; i < 10; ++i) {
        for (int j = i + 1; j < 10; ++j) {
            EXPECT_NE(store.getProfile(i).id, store.getProfile(j).id) << i << " and " << j;
        }
    }
}

TEST_F(ProfileStoreTest, DeletingMovesTheLaterProfilesUpAndKeepsTheRightOneCurrent)
{
    ProfileStore store;
    for (int i = 0; i < 10; ++i) {
        store.createProfile("P" + std::to_string(i));
    }
    u32 lastId = store.getProfile(9).id;
    store.selectProfile(3);
    store.deleteProfile(3);
    EXPECT_EQ(store.countProfiles(), 9);
    EXPECT_FALSE(store.isUsed(9)) << "with all ten slots used the last one is freed";
    EXPECT_EQ(store.getProfile(8).id, lastId);
    EXPECT_EQ(std::string(store.getProfile(3).name), "P4");
    EXPECT_EQ(store.currentIndex, 3) << "the next profile moved into the slot";

    while (store.countProfiles() > 3) {
        store.deleteProfile(3);
    }
    store.selectProfile(2);
    store.lastPlace = 5;
    store.deleteProfile(2); // the current one, and the last used slot
    EXPECT_EQ(store.currentIndex, 0);
    EXPECT_EQ(store.lastPlace, 5);

    store.selectProfile(1);
    store.deleteProfile(0); // a profile before the current one
    EXPECT_EQ(store.currentIndex, 0);
    EXPECT_EQ(std::string(store.getProfile(store.currentIndex).name), "P1");
    store.deleteProfile(0);
    EXPECT_EQ(store.countProfiles(), 0);
    EXPECT_EQ(store.currentIndex, 0);
}

TEST_F(ProfileStoreTest, AFailedWriteKeepsThePreviousFile)
{
    writeThreePlayers();
    std::string sealed = fileBytes();
    {
        auto* store = new ProfileStore;
        store->createProfile("Unsaved");
        FullDisk full(16);
        delete store;
    }
    EXPECT_EQ(fileBytes(), sealed);
}

TEST_F(ProfileStoreTest, AnIndexOutsideTheSlotsIsFatal)
{
    ProfileStore store;
    EXPECT_FATAL_WITH(core, store.getProfile(10), "Assertion failed.");
    EXPECT_FATAL_WITH(core, store.deleteProfile(-1), "Assertion failed.");
}

TEST(ProfileTest, HeartsScoreAndLevelsStayInRangeAndRestartsKeepTheBestLevel)
{
    const i32 most = std::numeric_limits<i32>::max();
    Profile profile;
    profile.init();
    // A hundred hearts make a life.
    profile.hearts = 98;
    EXPECT_EQ(profile.addHeart(), 1);
    EXPECT_EQ(profile.lives, 3);
    EXPECT_EQ(profile.addHeart(), 0);
    EXPECT_EQ(profile.lives, 4);
    EXPECT_EQ(profile.hearts, 0);
    EXPECT_EQ(profile.addHeart(), 99);
    // The score stays between zero and the largest integer.
    for (const auto& [add, expected] : {std::pair{500, 500}, std::pair{-800, 0}, std::pair{most, most},
                                        std::pair{1000, most}, std::pair{std::numeric_limits<i32>::min(), 0}}) {
        profile.addScore(add);
        EXPECT_EQ(profile.score, expected) << add;
    }

    std::strcpy(profile.name, "Ilona");
    u32 id = profile.id;
    profile.advanceLevel(5);
    EXPECT_EQ(profile.bestLevel, 5);
    profile.score = 900;
    profile.lives = 1;
    profile.hearts = 40;
    profile.noSignCount = 2;
    profile.hasSavedGame = true;
    profile.resetGame();
    EXPECT_EQ(std::tuple(profile.level, profile.bestLevel, profile.score, profile.lives, profile.hearts,
                         profile.noSignCount, profile.hasSavedGame, profile.id),
              std::tuple(0, 5, 0, 3, 0, 0, false, id));
    EXPECT_EQ(std::string(profile.name), "Ilona");
    profile.advanceLevel(2);
    EXPECT_EQ(profile.bestLevel, 5);
    profile.level = most - 1;
    profile.advanceLevel(5);
    EXPECT_EQ(profile.level, most);
}

TEST_F(ProfileStoreTest, SavedGameFileIsNamedAfterTheId)
{
    Profile profile;
    for (const auto& [id, suffix] : {std::pair{0xABu, "000000ab"}, std::pair{0xFEDCBA98u, "fedcba98"}}) {
        profile.id = id;
        EXPECT_EQ(profile.getSaveGameFileName(), core.folder.userFolder() + "Vabodemo.pro." + suffix);
    }
}

} // namespace
