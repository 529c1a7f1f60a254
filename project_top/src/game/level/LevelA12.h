#pragma once
// The stage laid out in levels/A12.txt.
#include "game/level/LevelFromData.h"

class LevelA12 : public LevelFromData {
public:
    LevelA12(i32 mirrorX, i32 mirrorY);
};
