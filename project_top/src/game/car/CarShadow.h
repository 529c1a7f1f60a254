#pragma once
// A car's drop shadow (the car's own sprite in translucent black, moved
// along the level's light) and the coupling to the next car, drawn in depth
// order just before their car. Owned by the car, never in the object tree.
#include "game/depth/RenderableDepth.h"

class CarShadow : public RenderableDepth {
public:
    CarShadow();
    ~CarShadow() override = default;

    // Nothing while hidden or at detail 0; else the shadow while drop
    // shadows are on, then the coupling.
    void renderDepth() override;

    Renderable coupling;
};
