#pragma once
// The stage laid out in levels/L1.txt.
#include "game/level/LevelFromData.h"

class LevelL1 : public LevelFromData {
public:
    LevelL1(i32 mirrorX, i32 mirrorY);
};
