#include "game/level/LevelA6.h"

LevelA6::LevelA6(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A6")
{
}
