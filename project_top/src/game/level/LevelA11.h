#pragma once
// The stage laid out in levels/A11.txt.
#include "game/level/LevelFromData.h"

class LevelA11 : public LevelFromData {
public:
    LevelA11(i32 mirrorX, i32 mirrorY);
};
