#pragma once
// The greeting of the current player near the top of the main menu, with a
// hint line under it. A click on the greeting opens the player list; while
// no player exists the new-player screen comes up by itself.
#include "object/QelBase.h"

class RenderableText;

class MenuUserDisplay : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    MenuUserDisplay();
    ~MenuUserDisplay() override = default;

    // The greeting rebuilt, the texts ticked, hover and click, and the
    // prompt for a first player.
    void update(double time, double dt) override;

    // Whether the point of the current screen lies on the greeting.
    bool isOverName(float x, float y) const;

    // The two children: the greeting and the hint line under it.
    RenderableText* nameText = nullptr;
    RenderableText* hintText = nullptr;
    bool bHovered = false;
};
