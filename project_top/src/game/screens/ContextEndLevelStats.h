#pragma once
// The "Level Complete!" page over a won level: it rates the level once,
// from the live game's statistics, on speed (docks per second of play),
// accuracy (right placements of all placements) and efficiency (bonuses
// caught and placements per shot), counts the three percentages up from
// 0.5 s to 1.0 s, pins an award under each at 1.25, 1.75 and 2.25 s and, at
// 2.5 s, adds 50000 when all three are perfect or 10000 when all are above
// 90%. The game's HUD keeps easing the score behind it while the game
// itself stands still. A click, Escape or the skip key closes it; the
// awards are credited even when closed early, the overall bonus is not.
//
// Every rating is a finite value in [0, 1]: a level won in no time rates
// speed 100%, a rating with nothing to count (no docks, no placements) 0%.
#include "engine/Context.h"

class RenderableText;

class ContextEndLevelStats : public Context {
public:
    // Needs the live game.
    ContextEndLevelStats();
    ~ContextEndLevelStats() override = default;

    void tickContents(double time, double dt) override;
    // The game below, then the page.
    void renderContents() override;

    static float rateSpeed(double startTime, double endTime, i32 totalDocks);
    static float rateAccuracy(i32 correct, i32 incorrect);
    static float rateEfficiency(i32 bonusesSpawned, i32 bonusesCollected, i32 correct, i32 incorrect, i32 shotsFired);

    enum { SPEED = 0, ACCURACY = 1, EFFICIENCY = 2 };

    RenderableText* valueTexts[3] = {};
    float ratings[3] = {};
};
