#include "game/level/LevelB1.h"

LevelB1::LevelB1(i32 mirrorX, i32 mirrorY, int trackCount)
    : LevelFromData(mirrorX, mirrorY, "B1", trackCount)
{
}
