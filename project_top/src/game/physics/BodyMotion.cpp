#include "game/physics/BodyMotion.h"

#include "math/VectorMath.h"

void dampVelocity(V3& velocity, float coefficient, double dt)
{
    const V3 dv = velocity * float(double(coefficient) * dt);
    if (dv.dot(dv) > velocity.dot(velocity)) {
        velocity = V3();
    } else {
        velocity -= dv;
    }
}

float accelerate(V3& velocity, V3& acceleration, V3 force, float mass, float damping, double dt)
{
    acceleration = force * (1.0f / mass);
    velocity += acceleration * float(dt);
    if (damping > 0.0f) {
        dampVelocity(velocity, damping, dt);
    }
    return velocity.dot(velocity);
}

void applyFriction(V3& velocity, float friction, double dt, float speed2)
{
    if (!(friction > 0.0f)) {
        return;
    }
    const V3 dv = normalize(velocity) * float(-dt * double(friction));
    if (dv.dot(dv) > speed2) {
        velocity = V3();
    } else {
        velocity += dv;
    }
}
