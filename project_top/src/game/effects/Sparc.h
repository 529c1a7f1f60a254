#pragma once
// One particle of an emitter: a sprite with a velocity and a life that
// counts down. Particles live in their emitter's array, never in the object
// tree, and are always drawn (no view test).
#include "graphics/Renderable.h"

class Sparc : public Renderable {
public:
    Sparc() { bSkipVisibility = 1; }
    ~Sparc() override = default;

    float vx = 0.0f;
    float vy = 0.0f;
    // Alive while above 0.
    float life = 0.0f;
    float life0 = 0.0f;
    // 0 to 1 over the particle's life.
    float age = 0.0f;
    // Radians per second.
    float spin = 0.0f;
};
