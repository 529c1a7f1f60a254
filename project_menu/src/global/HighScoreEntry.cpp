#include "global/HighScoreEntry.h"

#include "system/Md5.h"

namespace {

constexpr int AT_CHECK_VALUE = 0;
constexpr int AT_NAME = 16;
constexpr int AT_LEVEL = 32;
constexpr int AT_SCORE = 36;
constexpr int AT_TIME = 40;
static_assert(AT_TIME + 8 == HighScoreEntry::SIZE);

} // namespace

void HighScoreEntry::transfer(FixedLayout layout)
{
    layout.doBytes(AT_CHECK_VALUE, checkValue, CHECK_SIZE);
    layout.doBytes(AT_NAME, name, NAME_SIZE);
    layout.doI32(AT_LEVEL, level);
    layout.doI32(AT_SCORE, score);
    layout.doTime(AT_TIME, time);
}

void HighScoreEntry::sign(bool withDigest)
{
    md5Clear(checkValue);
    if (!withDigest) {
        checkValue[0] = 1;
        return;
    }
    u8 bytes[SIZE];
    transfer(FixedLayout::writer(bytes, SIZE));
    md5Keyed(checkValue, u32(SIGNATURE_SEED), bytes, SIZE);
}
