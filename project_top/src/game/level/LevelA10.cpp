#include "game/level/LevelA10.h"

LevelA10::LevelA10(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A10")
{
}
