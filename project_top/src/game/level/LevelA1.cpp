#include "game/level/LevelA1.h"

LevelA1::LevelA1(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A1")
{
}
