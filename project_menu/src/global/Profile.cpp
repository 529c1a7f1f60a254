#include "global/Profile.h"

#include <limits>

#include "global/Random.h"
#include "system/StringUtils.h"
#include "system/SystemUtils.h"

namespace {

constexpr int AT_NAME = 0;
constexpr int AT_ID = 16;
constexpr int AT_LEVEL = 20;
constexpr int AT_BEST_LEVEL = 24;
constexpr int AT_SCORE = 28;
constexpr int AT_LIVES = 32;
constexpr int AT_HEARTS = 36;
constexpr int AT_NO_SIGN_COUNT = 40;
constexpr int AT_HAS_SAVED_GAME = 44;
constexpr int AT_PADDING = 45;
constexpr int PADDING_SIZE = 3;
static_assert(AT_PADDING + PADDING_SIZE == Profile::SIZE);

} // namespace

void Profile::init()
{
    name[0] = 0;
    id = random32();
    bestLevel = 0;
    resetGame();
}

void Profile::resetGame()
{
    score = 0;
    lives = START_LIVES;
    hearts = 0;
    level = 0;
    noSignCount = 0;
    hasSavedGame = false;
}

void Profile::addScore(i32 amount)
{
    score = clampInt(saturatingAdd(score, amount), 0, std::numeric_limits<i32>::max());
}

i32 Profile::addHeart()
{
    hearts = saturatingAdd(hearts, 1);
    i32 missing = HEARTS_PER_LIFE - hearts;
    if (missing > 0) {
        return missing;
    }
    lives = saturatingAdd(lives, 1);
    hearts = 0;
    return missing;
}

void Profile::advanceLevel(i32 levels)
{
    level = saturatingAdd(level, levels);
    if (level > bestLevel) {
        bestLevel = level;
    }
}

UString Profile::getSaveGameFileName() const
{
    return formatString("%s.%08x", (getUserDataPath(true) + "Vabodemo.pro").c_str(), id);
}

void Profile::transfer(FixedLayout layout)
{
    layout.doBytes(AT_NAME, name, NAME_SIZE);
    layout.doU32(AT_ID, id);
    layout.doI32(AT_LEVEL, level);
    layout.doI32(AT_BEST_LEVEL, bestLevel);
    layout.doI32(AT_SCORE, score);
    layout.doI32(AT_LIVES, lives);
    layout.doI32(AT_HEARTS, hearts);
    layout.doI32(AT_NO_SIGN_COUNT, noSignCount);
    layout.doBool(AT_HAS_SAVED_GAME, hasSavedGame);
    u8 padding[PADDING_SIZE] = {};
    if (layout.isWriting()) {
        layout.doBytes(AT_PADDING, padding, PADDING_SIZE);
    }
}

void Profile::bringIntoRange()
{
    terminateWithin(name, NAME_SIZE);
    const i32 most = std::numeric_limits<i32>::max();
    level = clampInt(level, 0, most);
    bestLevel = clampInt(bestLevel, 0, most);
    score = clampInt(score, 0, most);
    lives = clampInt(lives, 0, most);
    hearts = clampInt(hearts, 0, HEARTS_PER_LIFE - 1);
}
