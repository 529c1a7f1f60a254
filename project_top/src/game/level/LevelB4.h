#pragma once
// The stage laid out in levels/B4.txt; builds its first and second track as asked.
#include "game/level/LevelFromData.h"

class LevelB4 : public LevelFromData {
public:
    LevelB4(i32 mirrorX, i32 mirrorY, bool firstTrack, bool secondTrack);
};
