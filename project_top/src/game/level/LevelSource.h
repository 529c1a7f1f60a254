#pragma once
// Where the game takes the level for a level number from: whether the
// number has a level at all, and a new level for it (null when it has
// none). The game's own source is the level-number table.
class Level;

struct LevelSource {
    bool (*hasLevel)(int number);
    Level* (*create)(int number);

    static LevelSource levelNumbers();
};
