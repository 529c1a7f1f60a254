#pragma once
// The local players: ten profile slots and the current one, saved sealed as
// "Vabodemo.pro" in the per-user folder (488 bytes). Used slots stay at the
// front: a new profile takes the first free slot and a deleted one closes
// the gap.
#include <array>

#include "global/Profile.h"

class ProfileStore {
public:
    static constexpr int SIZE = 488;
    static constexpr int SLOT_COUNT = 10;
    // The key text of the store's seal, with the file name.
    static constexpr const char* KEY_TEXT = "local player profiles";

    using Image = std::array<u8, SIZE>;

    // No profile, then the file, then the current profile is announced (so
    // lastPlace is -1 after every start).
    ProfileStore();
    // Saves.
    ~ProfileStore();
    ProfileStore(const ProfileStore&) = delete;
    ProfileStore& operator=(const ProfileStore&) = delete;

    // Slot i, 0 to 9; any other index is a fatal assertion.
    Profile& getProfile(i32 i);
    const Profile& getProfile(i32 i) const;
    bool isUsed(i32 i) const;
    i32 countProfiles() const;
    void selectProfile(i32 i);
    // A new profile in the first free slot, made current; nothing when all
    // ten are used. Its id is shared by no other profile.
    void createProfile(const UString& name);
    // Later slots move down one place and the last slot is left free. The
    // current profile stays current; when it was the one deleted the next
    // profile becomes current, or slot 0 when none follows.
    void deleteProfile(i32 i);
    // Logs the change and clears lastPlace.
    void onCurrentProfileChanged();

    // Reads the file over the store; a missing, damaged or wrong-sized file
    // leaves the store as it is and is logged.
    void load();
    // Seals and writes the store; the old file stays when that fails.
    void save() const;

    // The store's bytes, as saved.
    Image toImage() const;
    // Takes every field from `image` and brings each into its range; false
    // when that changed anything.
    bool fromImage(const Image& image);

    static UString getFileName();

    // Place of the score entered at the last game end, -1 for none.
    i32 lastPlace = -1;
    i32 currentIndex = 0;
    Profile profiles[SLOT_COUNT];

private:
    void transfer(FixedLayout layout);
    bool isIdTaken(u32 id, i32 exceptSlot) const;
};
