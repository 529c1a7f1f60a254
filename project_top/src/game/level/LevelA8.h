#pragma once
// The stage laid out in levels/A8.txt.
#include "game/level/LevelFromData.h"

class LevelA8 : public LevelFromData {
public:
    LevelA8(i32 mirrorX, i32 mirrorY);
};
