#pragma once
// The stage laid out in levels/C1.txt; builds trackCount of its tracks.
#include "game/level/LevelFromData.h"

class LevelC1 : public LevelFromData {
public:
    LevelC1(i32 mirrorX, i32 mirrorY, int trackCount);
};
