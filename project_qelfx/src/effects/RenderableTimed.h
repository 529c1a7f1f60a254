#pragma once
// A sprite with a life: it waits a start delay, fades in, stays, fades out
// and removes itself when its life time is over.
#include "graphics/Renderable.h"

class RenderableTimed : public Renderable {
public:
    RenderableTimed() = default;
    ~RenderableTimed() override = default;

    // Ticks the children, then the timing and fades.
    void update(double t, double dt) override;
    // Drawn like any renderable once the delay is over.
    void render() override;

    double delay = 0.0;
    double lifeTime = 999999.0;
    double fadeInTime = 0.0;
    double fadeOutTime = 0.0;
    double elapsed = 0.0;
};
