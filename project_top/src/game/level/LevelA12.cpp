#include "game/level/LevelA12.h"

LevelA12::LevelA12(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A12")
{
}
