#include "game/level/LevelA7.h"

LevelA7::LevelA7(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A7")
{
}
