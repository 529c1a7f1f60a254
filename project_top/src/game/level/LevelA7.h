#pragma once
// The stage laid out in levels/A7.txt.
#include "game/level/LevelFromData.h"

class LevelA7 : public LevelFromData {
public:
    LevelA7(i32 mirrorX, i32 mirrorY);
};
