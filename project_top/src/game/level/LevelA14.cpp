#include "game/level/LevelA14.h"

LevelA14::LevelA14(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A14")
{
}
