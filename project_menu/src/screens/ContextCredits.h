#pragma once
// The credits: the game's name, the rights notice and the people who made
// the game rise over the background while its view pans upward, with the
// version in the bottom-right corner. The screen ends by itself after 66 s,
// or on Escape, the skip key or a click.
#include "context/ContextMenu.h"

class ContextScroller;

class ContextCredits : public ContextMenu {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    static constexpr double TIME_LIMIT = 66.0;
    static constexpr float CAMERA_TARGET_Y = 424.0f;
    static constexpr double CAMERA_BLEND_TIME = 10.0;

    ContextCredits();
    // Also deletes the screen's own background.
    ~ContextCredits() override;

    ContextScroller* scroller = nullptr;
};
