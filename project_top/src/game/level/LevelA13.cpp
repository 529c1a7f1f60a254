#include "game/level/LevelA13.h"

LevelA13::LevelA13(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A13")
{
}
