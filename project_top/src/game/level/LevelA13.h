#pragma once
// The stage laid out in levels/A13.txt.
#include "game/level/LevelFromData.h"

class LevelA13 : public LevelFromData {
public:
    LevelA13(i32 mirrorX, i32 mirrorY);
};
