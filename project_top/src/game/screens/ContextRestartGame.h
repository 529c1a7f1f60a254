#pragma once
// The question the world map asks before moving a player who has points to
// another station: YES (a click or Space) restarts the player's game at the
// station's first level; NO or Escape leave everything as it was. Drawn in
// the mascot's speech bubble over the map.
#include "engine/Context.h"

class MenuButtonQuit;

class ContextRestartGame : public Context {
public:
    explicit ContextRestartGame(int level);
    ~ContextRestartGame() override = default;

    void tickContents(double time, double dt) override;
    // The screen below, then the bubble.
    void renderContents() override;

    MenuButtonQuit* yesButton = nullptr;
    i32 targetLevel;
};
