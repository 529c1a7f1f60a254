#pragma once
// The stage laid out in levels/A2.txt.
#include "game/level/LevelFromData.h"

class LevelA2 : public LevelFromData {
public:
    LevelA2(i32 mirrorX, i32 mirrorY);
};
