#include "game/level/LevelB3.h"

LevelB3::LevelB3(i32 mirrorX, i32 mirrorY, bool firstTrack, bool secondTrack)
    : LevelFromData(mirrorX, mirrorY, "B3", 1, firstTrack, secondTrack)
{
}
