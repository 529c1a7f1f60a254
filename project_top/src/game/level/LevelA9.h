#pragma once
// The stage laid out in levels/A9.txt.
#include "game/level/LevelFromData.h"

class LevelA9 : public LevelFromData {
public:
    LevelA9(i32 mirrorX, i32 mirrorY);
};
