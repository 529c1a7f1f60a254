#include "game/level/LevelB2.h"

LevelB2::LevelB2(i32 mirrorX, i32 mirrorY, int trackCount)
    : LevelFromData(mirrorX, mirrorY, "B2", trackCount)
{
}
