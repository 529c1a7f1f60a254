#pragma once
// The stage laid out in levels/A6.txt.
#include "game/level/LevelFromData.h"

class LevelA6 : public LevelFromData {
public:
    LevelA6(i32 mirrorX, i32 mirrorY);
};
