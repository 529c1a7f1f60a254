#include "game/level/LevelA8.h"

LevelA8::LevelA8(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A8")
{
}
