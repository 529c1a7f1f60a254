#include "game/level/LevelSource.h"

#include "game/level/LevelNumbers.h"

LevelSource LevelSource::levelNumbers()
{
    return LevelSource{&LevelNumbers::hasLevel, &LevelNumbers::create};
}
