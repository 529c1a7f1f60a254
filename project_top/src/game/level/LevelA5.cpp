#include "game/level/LevelA5.h"

LevelA5::LevelA5(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A5")
{
}
