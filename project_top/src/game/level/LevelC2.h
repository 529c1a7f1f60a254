#pragma once
// The stage laid out in levels/C2.txt; builds trackCount of its tracks.
#include "game/level/LevelFromData.h"

class LevelC2 : public LevelFromData {
public:
    LevelC2(i32 mirrorX, i32 mirrorY, int trackCount);
};
