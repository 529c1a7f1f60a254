#pragma once
// A free point mass: forces added since the last step, linear damping, a
// constant friction against the motion and a limit on the speed. Its owner
// embeds it and steps it once per frame through update(). Steps longer than
// 0.04 s are halved until they are not, so that a slow frame moves the body
// as several short ones would. Damping and friction can stop the body but
// never turn it around.
#include "math/V3.h"
#include "object/QelBase.h"

class Physics : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // The longest step taken whole.
    static constexpr double MAX_STEP = 0.04;

    Physics();
    ~Physics() override = default;

    // One step of dt seconds; each half of a split step goes through this
    // virtual operation again.
    void update(double time, double dt) override;

    V3 position;
    V3 previousPosition;
    V3 velocity;
    V3 acceleration;
    V3 force;
    float mass = 1.0f;
    float friction = 0.0f;
    float maxSpeed = 1000000.0f;
    float damping = 0.0f;
    bool clearForce = true;
};
