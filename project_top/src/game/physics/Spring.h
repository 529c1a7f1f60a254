#pragma once
// A Physics body pulled toward a fixed anchor, with a damping of its own
// applied before each step. Every half of a split step adds its own pull.
#include "game/physics/Physics.h"

class Spring : public Physics {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // Anchored where the body starts, at the origin.
    Spring();
    ~Spring() override = default;

    void update(double time, double dt) override;

    V3 anchor;
    float stiffness = 1.0f;
    float springDamping = 0.0f;
};
