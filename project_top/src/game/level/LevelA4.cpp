#include "game/level/LevelA4.h"

LevelA4::LevelA4(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A4")
{
}
