#pragma once
// Every level class with all its tracks built, by id, and a level source
// that hands the game the class chosen for the next level it builds.
#include <string>
#include <vector>

#include "game/level/LevelA1.h"
#include "game/level/LevelA10.h"
#include "game/level/LevelA11.h"
#include "game/level/LevelA12.h"
#include "game/level/LevelA13.h"
#include "game/level/LevelA14.h"
#include "game/level/LevelA2.h"
#include "game/level/LevelA3.h"
#include "game/level/LevelA4.h"
#include "game/level/LevelA5.h"
#include "game/level/LevelA6.h"
#include "game/level/LevelA7.h"
#include "game/level/LevelA8.h"
#include "game/level/LevelA9.h"
#include "game/level/LevelB1.h"
#include "game/level/LevelB2.h"
#include "game/level/LevelB3.h"
#include "game/level/LevelB4.h"
#include "game/level/LevelC1.h"
#include "game/level/LevelC2.h"
#include "game/level/LevelL1.h"
#include "game/level/LevelSource.h"

struct LevelClassInPlay {
    const char* id;
    Level* (*make)();
};

inline const std::vector<LevelClassInPlay>& levelClassesInPlay()
{
    static const std::vector<LevelClassInPlay> classes = {
        {"A1", [] { return static_cast<Level*>(new LevelA1(1, 1)); }},
        {"A2", [] { return static_cast<Level*>(new LevelA2(1, 1)); }},
        {"A3", [] { return static_cast<Level*>(new LevelA3(1, 1)); }},
        {"A4", [] { return static_cast<Level*>(new LevelA4(1, 1)); }},
        {"A5", [] { return static_cast<Level*>(new LevelA5(1, 1)); }},
        {"A6", [] { return static_cast<Level*>(new LevelA6(1, 1)); }},
        {"A7", [] { return static_cast<Level*>(new LevelA7(1, 1)); }},
        {"A8", [] { return static_cast<Level*>(new LevelA8(1, 1)); }},
        {"A9", [] { return static_cast<Level*>(new LevelA9(1, 1)); }},
        {"A10", [] { return static_cast<Level*>(new LevelA10(1, 1)); }},
        {"A11", [] { return static_cast<Level*>(new LevelA11(1, 1)); }},
        {"A12", [] { return static_cast<Level*>(new LevelA12(1, 1)); }},
        {"A13", [] { return static_cast<Level*>(new LevelA13(1, 1)); }},
        {"A14", [] { return static_cast<Level*>(new LevelA14(1, 1)); }},
        {"B1", [] { return static_cast<Level*>(new LevelB1(1, 1, 2)); }},
        {"B2", [] { return static_cast<Level*>(new LevelB2(1, 1, 2)); }},
        {"B3", [] { return static_cast<Level*>(new LevelB3(1, 1, true, true)); }},
        {"B4", [] { return static_cast<Level*>(new LevelB4(1, 1, true, true)); }},
        {"C1", [] { return static_cast<Level*>(new LevelC1(1, 1, 3)); }},
        {"C2", [] { return static_cast<Level*>(new LevelC2(1, 1, 3)); }},
        {"L1", [] { return static_cast<Level*>(new LevelL1(1, 1)); }},
    };
    return classes;
}

// The game's level source takes plain functions: the class goes through
// here. Null plays the level-number table.
inline Level* (*&classInPlay())()
{
    static Level* (*make)() = nullptr;
    return make;
}

inline LevelSource levelSourceFor(Level* (*make)())
{
    if (make == nullptr) {
        return LevelSource::levelNumbers();
    }
    classInPlay() = make;
    return LevelSource{[](int) { return true; }, [](int) { return classInPlay()(); }};
}

inline Level* (*levelClassMaker(const std::string& id))()
{
    for (const LevelClassInPlay& c : levelClassesInPlay()) {
        if (id == c.id) {
            return c.make;
        }
    }
    return nullptr;
}
