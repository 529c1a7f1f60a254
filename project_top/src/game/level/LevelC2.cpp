#include "game/level/LevelC2.h"

LevelC2::LevelC2(i32 mirrorX, i32 mirrorY, int trackCount)
    : LevelFromData(mirrorX, mirrorY, "C2", trackCount)
{
}
