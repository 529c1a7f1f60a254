#pragma once
// The stage laid out in levels/A5.txt.
#include "game/level/LevelFromData.h"

class LevelA5 : public LevelFromData {
public:
    LevelA5(i32 mirrorX, i32 mirrorY);
};
