// Arbitrary bytes as the image of the settings record and of the profile
// store, as a well-sealed but damaged file would give them: after loading,
// every index and divisor must lie in its range and every text end inside
// its field, and loading must be stable (the image of a loaded record loads
// back unchanged). Then a high score, a new profile and a deletion on the
// loaded state.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "global/ProfileStore.h"
#include "global/SettingsRecord.h"
#include "language/CountryList.h"
#include "language/Language.h"

namespace {

void check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

bool terminated(const char* text, size_t width)
{
    return std::memchr(text, 0, width) != nullptr;
}

// One record and one store for the whole run, never saved. They load from
// an empty per-user folder of their own, which is removed at once.
struct Records {
    SettingsRecord* record;
    ProfileStore* store;
};

Records& records()
{
    static Records made = [] {
        char pattern[] = "/tmp/vabo-fuzz-XXXXXX";
        const char* folder = mkdtemp(pattern);
        setenv("U3_APP_DATA_PATH", folder != nullptr ? folder : "/nonexistent", 1);
        Records loaded{new SettingsRecord, new ProfileStore};
        std::error_code ignored;
        if (folder != nullptr) {
            std::filesystem::remove_all(folder, ignored);
        }
        unsetenv("U3_APP_DATA_PATH");
        return loaded;
    }();
    return made;
}

template <class Image>
Image imageOf(const uint8_t* data, size_t size)
{
    Image image{};
    if (size > 0) {
        std::memcpy(image.data(), data, size < image.size() ? size : image.size());
    }
    return image;
}

void fuzzRecord(const uint8_t* data, size_t size)
{
    SettingsRecord& record = *records().record;
    record.fromImage(imageOf<SettingsRecord::Image>(data, size));
    check(record.detail >= 0 && record.detail <= SettingsRecord::DETAIL_MAX);
    check(record.videoMode >= 0 && record.videoMode <= SettingsRecord::VIDEO_MODE_MAX);
    check(record.maxFps >= SettingsRecord::MIN_FPS && record.maxFps <= SettingsRecord::MAX_FPS);
    check(record.soundQuality >= 0 && record.soundQuality <= SettingsRecord::SOUND_QUALITY_MAX);
    check(record.soundVolume >= 0 && record.soundVolume <= SettingsRecord::VOLUME_MAX);
    check(record.musicVolume >= 0 && record.musicVolume <= SettingsRecord::VOLUME_MAX);
    check(record.mouseSensitivity >= 0 && record.mouseSensitivity <= SettingsRecord::SENSITIVITY_MAX);
    check(record.countryIndex >= 0 && record.countryIndex < COUNTRY_ROWS);
    for (const SettingsRecord::KeyBinding& binding : record.keyBindings) {
        check(binding.key >= 0 && binding.key < Language::KEY_CODE_COUNT);
        check(binding.alternative >= 0 && binding.alternative < Language::KEY_CODE_COUNT);
    }
    check(terminated(record.applicationName, sizeof(record.applicationName)));
    check(terminated(record.versionText, sizeof(record.versionText)));
    check(terminated(record.reservedText, sizeof(record.reservedText)));
    for (const HighScoreEntry& entry : record.highScores) {
        check(terminated(entry.name, sizeof(entry.name)));
    }
    SettingsRecord::Image loaded = record.toImage();
    check(record.fromImage(loaded) && record.toImage() == loaded);

    i32 score = size >= 4 ? i32(u32(data[0]) | u32(data[1]) << 8 | u32(data[2]) << 16 | u32(data[3]) << 24) : 0;
    i32 place = record.insertHighScore("Fuzz", score, 1, size % 2 == 0);
    check(place >= -1 && place < SettingsRecord::HIGH_SCORE_COUNT);
    check(place == -1 || record.highScores[place].score == score);
}

void fuzzProfiles(const uint8_t* data, size_t size)
{
    ProfileStore& store = *records().store;
    store.fromImage(imageOf<ProfileStore::Image>(data, size));
    check(store.currentIndex >= 0 && store.currentIndex < ProfileStore::SLOT_COUNT);
    check(store.lastPlace >= -1 && store.lastPlace < SettingsRecord::HIGH_SCORE_COUNT);
    for (const Profile& profile : store.profiles) {
        check(terminated(profile.name, sizeof(profile.name)));
        check(profile.level >= 0 && profile.bestLevel >= 0 && profile.score >= 0 && profile.lives >= 0);
        check(profile.hearts >= 0 && profile.hearts < Profile::HEARTS_PER_LIFE);
    }
    ProfileStore::Image loaded = store.toImage();
    check(store.fromImage(loaded) && store.toImage() == loaded);

    i32 before = store.countProfiles();
    store.createProfile("Fuzz");
    check(store.countProfiles() == (before < ProfileStore::SLOT_COUNT ? before + 1 : before));
    store.getProfile(store.currentIndex).addScore(i32(size) * 1000003);
    store.deleteProfile(store.currentIndex);
    check(store.currentIndex >= 0 && store.currentIndex < ProfileStore::SLOT_COUNT);
    check(!store.isUsed(ProfileStore::SLOT_COUNT - 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzRecord(data, size);
    fuzzProfiles(data, size);
    return 0;
}
