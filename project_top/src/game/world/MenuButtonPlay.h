#pragma once
// The map's play button: with no game held it makes a new game at the
// player's current level ("Play!" at the very first level, "Play next
// level" after that); with a game held it continues that game ("Continue
// level"). A current level without a layout is the end of the journey: the
// button shows the game-completed screen and makes no game. Whatever is
// attached to the button shows only under the pointer.
#include "gui/MenuButton.h"

class MenuButtonPlay : public MenuButton {
public:
    MenuButtonPlay(float x, float y, float z, const UString& caption, const UString& help);
    ~MenuButtonPlay() override = default;

    // The button, then the caption for what a click would do.
    void update(double time, double dt) override;
    void render() override;
    void onClick() override;

    bool bNewGame = true;
};
