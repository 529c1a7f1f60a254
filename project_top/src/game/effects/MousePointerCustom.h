#pragma once
// The pointer of the game screen: frame 1 of the image "mousePointer" (the
// menus show frame 0), on the mouse in the world of the live game's scene,
// always drawn.
#include "graphics/Renderable.h"

class Texture;

class MousePointerCustom : public Renderable {
public:
    // "mousePointer" must be registered.
    MousePointerCustom();
    ~MousePointerCustom() override = default;

    void update(double time, double dt) override;

    Texture* pTexture;
};
