#include "game/level/LevelA9.h"

LevelA9::LevelA9(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A9")
{
}
