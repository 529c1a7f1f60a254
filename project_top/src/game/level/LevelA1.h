#pragma once
// The stage laid out in levels/A1.txt.
#include "game/level/LevelFromData.h"

class LevelA1 : public LevelFromData {
public:
    LevelA1(i32 mirrorX, i32 mirrorY);
};
