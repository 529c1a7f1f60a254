#pragma once
// The stage laid out in levels/A3.txt.
#include "game/level/LevelFromData.h"

class LevelA3 : public LevelFromData {
public:
    LevelA3(i32 mirrorX, i32 mirrorY);
};
