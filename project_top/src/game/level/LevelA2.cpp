#include "game/level/LevelA2.h"

LevelA2::LevelA2(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A2")
{
}
