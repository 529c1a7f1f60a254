#pragma once
// The stage laid out in levels/A4.txt.
#include "game/level/LevelFromData.h"

class LevelA4 : public LevelFromData {
public:
    LevelA4(i32 mirrorX, i32 mirrorY);
};
