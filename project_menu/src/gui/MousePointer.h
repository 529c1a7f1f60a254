#pragma once
// The pointer sprite drawn over the menu screens: frame 0 of the image
// "mousePointer", its origin on the mouse in the world of the screen being
// ticked.
#include "graphics/Renderable.h"

class Texture;

class MousePointer : public Renderable {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // "mousePointer" must be registered.
    MousePointer();
    ~MousePointer() override = default;

    // Follows the mouse of the current screen, at z 0.
    void update(double time, double dt) override;

    Texture* texture = nullptr;
    int frame = 0;
};
