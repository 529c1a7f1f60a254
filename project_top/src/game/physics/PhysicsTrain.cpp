#include "game/physics/PhysicsTrain.h"

#include <array>
#include <cmath>

#include "game/physics/BodyMotion.h"
#include "net/Packet.h"

QEL_IMPLEMENT_RUNTIME_CLASS(PhysicsTrain, QelBase::runtimeClass(), QEL_CREATOR(PhysicsTrain));

PhysicsTrain::PhysicsTrain() = default;

void PhysicsTrain::update(double, double dt)
{
    const float step = float(dt);
    const float speed2 = accelerate(velocity, acceleration, force, mass, damping, dt);
    if (speed2 > 0.0f) {
        applyFriction(velocity, friction, dt, speed2);
        if (minSpeed > velocity.x) {
            velocity.x = minSpeed;
        }
        if (velocity.x > maxSpeed) {
            velocity.x = maxSpeed;
        }
        previousPosition = position;
        position += velocity * step;
    }
    force = V3();
}

void PhysicsTrain::serialize(Packet* packet)
{
    std::array<V3, 5> vectors = {position, previousPosition, velocity, acceleration, force};
    std::array<float, 5> scalars = {mass, friction, maxSpeed, minSpeed, damping};
    for (V3& v : vectors) {
        packet->doV3(&v);
    }
    for (float& f : scalars) {
        packet->doBytes(&f, 4);
    }
    if (packet->bWriting || packet->hasError()) {
        return;
    }
    for (const V3& v : vectors) {
        if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) {
            packet->setError("train body: a vector that is not finite");
            return;
        }
    }
    for (float f : scalars) {
        if (!std::isfinite(f)) {
            packet->setError("train body: a value that is not finite");
            return;
        }
    }
    if (!(scalars[0] > 0.0f)) {
        packet->setError("train body: a mass of 0 or less");
        return;
    }
    position = vectors[0];
    previousPosition = vectors[1];
    velocity = vectors[2];
    acceleration = vectors[3];
    force = vectors[4];
    mass = scalars[0];
    friction = scalars[1];
    maxSpeed = scalars[2];
    minSpeed = scalars[3];
    damping = scalars[4];
}
