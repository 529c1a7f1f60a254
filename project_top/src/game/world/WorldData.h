#pragma once
// One world's station on the map: its numbers, its sign and its name, and
// the click that restarts the game from there. A station is unlocked once
// the player's best level has reached the world's first level (a restart
// further back never locks it again). Under the pointer an unlocked station
// pulses, throws sparks (at high detail) and takes a click; a locked one
// does none of that and shows no name, except the last world's, whose name
// always shows.
#include "graphics/Renderable.h"
#include "system/UString.h"

class WorldData : public Renderable {
public:
    // Needs the registered map images.
    WorldData();
    ~WorldData() override = default;

    void update(double time, double dt) override;
    // The sparks, the sign, then the name.
    void render() override;

    static constexpr float PULSE = 0.15f;
    static constexpr float PULSE_RATE = 8.0f;
    static constexpr float NAME_DROP = 10.0f;

    UString name;
    float mapLambda = 0.0f;
    float span = 0.0f;
    i32 firstLevel = 0;
    i32 stageCount = 0;
    bool bLastWorld = false;
    bool bUnlocked = false;
    double sparkTimer = 0.0;
    double sparkInterval = 0.1;
};
