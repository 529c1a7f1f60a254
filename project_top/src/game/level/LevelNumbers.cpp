#include "game/level/LevelNumbers.h"

#include "game/level/LevelA1.h"
#include "game/level/LevelA12.h"
#include "game/level/LevelA13.h"
#include "game/level/LevelA14.h"
#include "game/level/LevelA2.h"
#include "game/level/LevelA5.h"
#include "game/level/LevelA7.h"
#include "game/level/LevelA8.h"
#include "game/level/LevelB1.h"
#include "game/level/LevelB2.h"
#include "game/level/LevelB3.h"
#include "game/level/LevelB4.h"

namespace {

using Maker = Level* (*)();

const Maker makers[LevelNumbers::COUNT] = {
    [] { return static_cast<Level*>(new LevelA1(1, 1)); },
    [] { return static_cast<Level*>(new LevelA8(1, 1)); },
    [] { return static_cast<Level*>(new LevelA12(1, 1)); },
    [] { return static_cast<Level*>(new LevelA5(1, 1)); },
    [] { return static_cast<Level*>(new LevelB3(1, 1, true, false)); },
    [] { return static_cast<Level*>(new LevelA13(1, 1)); },
    [] { return static_cast<Level*>(new LevelB4(1, 1, true, false)); },
    [] { return static_cast<Level*>(new LevelA2(1, 1)); },
    [] { return static_cast<Level*>(new LevelB2(1, 1, 1)); },
    [] { return static_cast<Level*>(new LevelB1(1, 1, 1)); },
    [] { return static_cast<Level*>(new LevelA14(1, 1)); },
    [] { return static_cast<Level*>(new LevelA7(1, 1)); },
    [] { return static_cast<Level*>(new LevelA12(-1, 1)); },
};

} // namespace

bool LevelNumbers::hasLevel(int number)
{
    return number >= 0 && number < COUNT;
}

Level* LevelNumbers::create(int number)
{
    return hasLevel(number) ? makers[number]() : nullptr;
}
