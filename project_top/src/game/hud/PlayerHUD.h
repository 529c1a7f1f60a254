#pragma once
// The strip across the top of the view: the current player's score, lives
// and hearts toward the next life, and the level title; inside a level also
// the MENU corner that opens the pause menu, the level's progress bar with
// its percentage and, with the game-statistics debug flag (0x100 of the
// engine's debug level), a column of the level's statistics and the danger
// of each track.
//
// In a level the shown score eases toward the player's score over half a
// second, starting from the number shown when the score changed; the title
// is taken once. On the map the score and the title follow at once.
// Everything is drawn each frame from temporary objects; the easing is the
// HUD's only state.
#include "graphics/Renderable.h"
#include "system/UString.h"

class PlayerHUD : public Renderable {
public:
    // In a level it reads the live game, which must exist as long as the
    // HUD does. Needs the registered HUD images.
    explicit PlayerHUD(bool inLevel);
    ~PlayerHUD() override = default;

    void update(double time, double dt) override;
    void render() override;

    UString title;
    i32 displayedScore = 0;
    i32 fromScore = 0;
    i32 targetScore = 0;
    float scoreBlend = 0.0f;
    bool inLevel;

private:
    void renderStatistics();
};
