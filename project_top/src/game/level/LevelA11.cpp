#include "game/level/LevelA11.h"

LevelA11::LevelA11(i32 mirrorX, i32 mirrorY)
    : LevelFromData(mirrorX, mirrorY, "A11")
{
}
