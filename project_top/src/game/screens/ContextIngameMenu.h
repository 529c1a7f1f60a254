#pragma once
// The pause menu of a running level, in the mascot's speech bubble over the
// frozen game: RESUME (or Space, or Escape) closes it and the game goes on
// where it stopped; RETURNTOMAP finishes the game screen as well, so the
// world map comes back holding the unfinished game, which its play button
// continues. The game is only popped, never deleted, by this.
#include "context/ContextMenu.h"

class MenuButtonQuit;

class ContextIngameMenu : public ContextMenu {
public:
    ContextIngameMenu();
    ~ContextIngameMenu() override = default;

    void tickContents(double time, double dt) override;
    // The game below, then the bubble.
    void renderContents() override;

    MenuButtonQuit* returnButton = nullptr;
};
