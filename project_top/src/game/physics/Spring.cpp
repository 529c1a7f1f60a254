#include "game/physics/Spring.h"

#include "game/physics/BodyMotion.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Spring, Physics::runtimeClass(), QEL_CREATOR(Spring));

Spring::Spring()
    : anchor(position)
{
}

void Spring::update(double time, double dt)
{
    force -= (position - anchor) * stiffness;
    dampVelocity(velocity, springDamping, dt);
    Physics::update(time, dt);
}
