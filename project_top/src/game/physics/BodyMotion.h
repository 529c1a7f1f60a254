#pragma once
// The slowing of a moving body shared by the free and the train bodies:
// both stop a body rather than turn it around.
#include "math/V3.h"

// velocity - coefficient x dt x velocity, or rest when that would reverse it.
void dampVelocity(V3& velocity, float coefficient, double dt);
// acceleration = force / mass, gained over dt, then the damping (when above
// 0); returns the squared speed after.
float accelerate(V3& velocity, V3& acceleration, V3 force, float mass, float damping, double dt);
// With a friction above 0: takes friction x dt off the speed, or comes to
// rest when the speed (speed2 its square) is smaller than that.
void applyFriction(V3& velocity, float friction, double dt, float speed2);
