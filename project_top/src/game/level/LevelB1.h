#pragma once
// The stage laid out in levels/B1.txt; builds trackCount of its tracks.
#include "game/level/LevelFromData.h"

class LevelB1 : public LevelFromData {
public:
    LevelB1(i32 mirrorX, i32 mirrorY, int trackCount);
};
