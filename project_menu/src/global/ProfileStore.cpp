#include "global/ProfileStore.h"

#include "engine/QelAssert.h"
#include "global/SettingsRecord.h"
#include "global/UserFile.h"

namespace {

constexpr int AT_LAST_PLACE = 0;
constexpr int AT_CURRENT_INDEX = 4;
constexpr int AT_PROFILES = 8;
static_assert(AT_PROFILES + ProfileStore::SLOT_COUNT * Profile::SIZE == ProfileStore::SIZE);

} // namespace

ProfileStore::ProfileStore()
{
    load();
    onCurrentProfileChanged();
}

ProfileStore::~ProfileStore()
{
    save();
}

UString ProfileStore::getFileName()
{
    return "Vabodemo.pro";
}

Profile& ProfileStore::getProfile(i32 i)
{
    QEL_ASSERT(i >= 0 && i < SLOT_COUNT);
    return profiles[i];
}

const Profile& ProfileStore::getProfile(i32 i) const
{
    QEL_ASSERT(i >= 0 && i < SLOT_COUNT);
    return profiles[i];
}

bool ProfileStore::isUsed(i32 i) const
{
    return getProfile(i).name[0] != 0;
}

i32 ProfileStore::countProfiles() const
{
    i32 count = 0;
    for (i32 i = 0; i < SLOT_COUNT; ++i) {
        count += isUsed(i) ? 1 : 0;
    }
    return count;
}

void ProfileStore::selectProfile(i32 i)
{
    QEL_ASSERT(i >= 0 && i < SLOT_COUNT);
    currentIndex = i;
    onCurrentProfileChanged();
}

bool ProfileStore::isIdTaken(u32 id, i32 exceptSlot) const
{
    for (i32 i = 0; i < SLOT_COUNT; ++i) {
        if (i != exceptSlot && isUsed(i) && profiles[i].id == id) {
            return true;
        }
    }
    return false;
}

void ProfileStore::createProfile(const UString& name)
{
    for (i32 slot = 0; slot < SLOT_COUNT; ++slot) {
        if (isUsed(slot)) {
            continue;
        }
        Profile& profile = profiles[slot];
        // The id names the profile's saved game, so no two profiles may
        // share one.
        do {
            profile.init();
        } while (isIdTaken(profile.id, slot));
        copyName(profile.name, Profile::NAME_SIZE, name);
        currentIndex = slot;
        onCurrentProfileChanged();
        return;
    }
}

void ProfileStore::deleteProfile(i32 i)
{
    QEL_ASSERT(i >= 0 && i < SLOT_COUNT);
    for (i32 slot = i + 1; slot < SLOT_COUNT; ++slot) {
        profiles[slot - 1] = profiles[slot];
    }
    // With all ten slots used the last profile would otherwise stand in
    // two slots.
    profiles[SLOT_COUNT - 1] = Profile();
    if (currentIndex == i && !isUsed(i)) {
        currentIndex = 0;
    } else if (currentIndex > i) {
        --currentIndex;
    }
}

void ProfileStore::onCurrentProfileChanged()
{
    QEL_LOG("Changing profile to '%s'...", getProfile(currentIndex).name);
    lastPlace = -1;
}

void ProfileStore::load()
{
    Image file;
    if (loadUserFile(getFileName(), KEY_TEXT, file.data(), SIZE, "starting without profiles") && !fromImage(file)) {
        QEL_LOG("Profiles of '%s' outside their ranges were brought back into them.", getFileName().c_str());
    }
}

void ProfileStore::save() const
{
    Image bytes = toImage();
    saveUserFile(getFileName(), KEY_TEXT, bytes.data(), SIZE);
}

ProfileStore::Image ProfileStore::toImage() const
{
    Image bytes{};
    // A writer only reads the fields.
    const_cast<ProfileStore*>(this)->transfer(FixedLayout::writer(bytes.data(), SIZE));
    return bytes;
}

bool ProfileStore::fromImage(const Image& bytes)
{
    transfer(FixedLayout::reader(bytes.data(), SIZE));
    if (currentIndex < 0 || currentIndex >= SLOT_COUNT) {
        currentIndex = 0;
    }
    if (lastPlace < -1 || lastPlace >= SettingsRecord::HIGH_SCORE_COUNT) {
        lastPlace = -1;
    }
    for (Profile& profile : profiles) {
        profile.bringIntoRange();
    }
    return toImage() == bytes;
}

void ProfileStore::transfer(FixedLayout layout)
{
    layout.doI32(AT_LAST_PLACE, lastPlace);
    layout.doI32(AT_CURRENT_INDEX, currentIndex);
    for (i32 slot = 0; slot < SLOT_COUNT; ++slot) {
        profiles[slot].transfer(layout.at(AT_PROFILES + slot * Profile::SIZE, Profile::SIZE));
    }
}
