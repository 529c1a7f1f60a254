#pragma once
// The stage laid out in levels/B2.txt; builds trackCount of its tracks.
#include "game/level/LevelFromData.h"

class LevelB2 : public LevelFromData {
public:
    LevelB2(i32 mirrorX, i32 mirrorY, int trackCount);
};
