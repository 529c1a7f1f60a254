#pragma once
// The stage laid out in levels/B3.txt; builds its first and second track as asked.
#include "game/level/LevelFromData.h"

class LevelB3 : public LevelFromData {
public:
    LevelB3(i32 mirrorX, i32 mirrorY, bool firstTrack, bool secondTrack);
};
