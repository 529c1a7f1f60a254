#include "game/level/LevelB4.h"

LevelB4::LevelB4(i32 mirrorX, i32 mirrorY, bool firstTrack, bool secondTrack)
    : LevelFromData(mirrorX, mirrorY, "B4", 1, firstTrack, secondTrack)
{
}
