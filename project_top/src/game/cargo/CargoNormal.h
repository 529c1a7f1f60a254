#pragma once
// The pieces the launcher shoots: a piece with a spin of its own and a drop
// shadow, its own sprite in translucent black drawn under it while drop
// shadows are on. A new piece spins at 4 to 16 radians per second, either
// way, once it flies.
#include "game/cargo/Cargo.h"

class CargoNormal : public Cargo {
public:
    // Draws the start angle, then the spin's speed and then its sign.
    CargoNormal();
    ~CargoNormal() override = default;

    // The shadow first, while drop shadows are on.
    void render() override;
    // The shadow follows the piece in the piece's own frame.
    void updateXform() override;

    Renderable shadow;
};
