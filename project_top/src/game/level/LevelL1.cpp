#include "game/level/LevelL1.h"

LevelL1::LevelL1(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "L1")
{
}
