#include "game/level/LevelA3.h"

LevelA3::LevelA3(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A3")
{
}
