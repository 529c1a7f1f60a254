#pragma once
// Which level class the game builds for a level number. Numbers 0 to 12
// have a level (number 12 is the layout of number 2 turned over left to
// right); every other number has none, and hasLevel lets the callers stop
// before the game would have to build one.
class Level;

struct LevelNumbers {
    static constexpr int COUNT = 13;

    static bool hasLevel(int number);
    // A new level for the number, or null when the number has none. Needs
    // a live game, like every level.
    static Level* create(int number);
};
