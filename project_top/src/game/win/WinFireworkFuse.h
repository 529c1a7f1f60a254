#pragma once
// A rocket of the closing fireworks: it rises from where it was launched,
// slowed by gravity, and bursts once its fuse has burnt: a fan of tumbling
// cargo along its line of flight, a yellow-to-orange star of sparks and a
// bang. While the graphics detail is above the lowest it leaves a trail of
// small sparks behind everything else in its layer. The rocket and what it
// sets off are children of the same layer; the rocket is gone after its
// burst.
#include "graphics/Renderable.h"

class WinFireworkFuse : public Renderable {
public:
    // The fuse burns a time drawn between the two.
    WinFireworkFuse(float x, float y, float z, float vx, float vy, float vz, double fuseMin, double fuseMax);
    ~WinFireworkFuse() override = default;

    void update(double time, double dt) override;

    double trailTime = 0.0;
    double trailPeriod = 0.05;
    V3 velocity;
    V3 acceleration{0.0f, -128.0f, 0.0f};
    double fuseTime;
    double age = 0.0;

private:
    void burst(float direction);
    void leaveTrail(double dt);
};
