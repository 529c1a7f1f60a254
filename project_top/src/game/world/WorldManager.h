#pragma once
// The world map and the keeper of the player's progress between levels.
// The game's 83 stages are one level number 0..82 over 15 worlds (stations
// on the map); the progress operations below turn a level number into its
// world and stage, its title and its place on the map path, and restart the
// current player's game at a station. They read the current profile and
// work whether or not a map is on the screen stack.
//
// A negative level number has no world: it is fatal ("Could not convert
// level %d."). Profiles are brought into range when loaded, so none comes
// from a file. Levels above the last count as further stages of the last
// world.
#include "engine/Context.h"
#include "system/UString.h"

class Profile;

class WorldManager : public Context {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // Registers itself as the program's world map.
    WorldManager();
    // Deletes the held game and leaves the program's world-map slot empty.
    ~WorldManager() override;

    static constexpr int WORLD_COUNT = 15;

    // The stations in map order: how many stages each world has and how
    // far along the map path its station lies before the next one.
    struct World {
        int stageCount;
        int span;
    };
    static const World worlds[WORLD_COUNT];

    // The first level of world w and its station's place on the map path:
    // the sums over the worlds before it.
    static int firstLevel(int world);
    static float mapLambda(int world);

    static void level2WorldStage(int level, int& world, int& stage);
    // "Level %d-%d" with world and stage counted from 1.
    static UString getLevelTitle(int level);
    static int getCurrentLevel();
    static int getCurrentWorld();
    static int getCurrentStage();
    static int getLevelCount();
    // Where the level's stage lies along the map path.
    static float getLevelLambda(int level);
    // Drops the held game and starts a new game for the current player at
    // the level: score 0, 3 lives, no hearts. "toot2" sounds.
    static void restartAt(int level);

    static Profile& currentProfile();
};
