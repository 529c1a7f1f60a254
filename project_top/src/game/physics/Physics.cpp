#include "game/physics/Physics.h"

#include <cmath>

#include "game/physics/BodyMotion.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Physics, QelBase::runtimeClass(), QEL_CREATOR(Physics));

Physics::Physics() = default;

void Physics::update(double time, double dt)
{
    if (dt > MAX_STEP) {
        update(time, dt / 2);
        update(time + dt / 2, dt / 2);
        return;
    }
    const float step = float(dt);
    const float speed2 = accelerate(velocity, acceleration, force, mass, damping, dt);
    if (speed2 != 0.0f) {
        applyFriction(velocity, friction, dt, speed2);
        if (speed2 > maxSpeed * maxSpeed) {
            velocity = velocity * (maxSpeed / std::sqrt(speed2));
        }
        previousPosition = position;
        position += velocity * step;
    }
    if (clearForce) {
        force = V3();
    }
}
