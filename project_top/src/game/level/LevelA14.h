#pragma once
// The stage laid out in levels/A14.txt.
#include "game/level/LevelFromData.h"

class LevelA14 : public LevelFromData {
public:
    LevelA14(i32 mirrorX, i32 mirrorY);
};
