#include "game/level/LevelC1.h"

LevelC1::LevelC1(i32 mirrorX, i32 mirrorY, int trackCount)
    : LevelFromData(mirrorX, mirrorY, "C1", trackCount)
{
}
