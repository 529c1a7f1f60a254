#pragma once
// The pointer of the game screen: frame 1 of the image "mousePointer" (the
// menus show frame 0), always drawn. Its centre is the live game's scene
// point under the mouse, the point the launcher aims at, placed in the
// coordinates of the screen stack that draws it.
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
