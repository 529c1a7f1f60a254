#pragma once
// The stage laid out in levels/A10.txt.
#include "game/level/LevelFromData.h"

class LevelA10 : public LevelFromData {
public:
    LevelA10(i32 mirrorX, i32 mirrorY);
};
