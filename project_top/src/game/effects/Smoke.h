#pragma once
// A few puffs of smoke that drift off in a fan of directions, grow from a
// quarter of the emitter's size to the full size and run through the
// frames of the smoke image as their life runs out. A puff starts on the
// frame its life gives (a weaker puff starts later in the sequence) and
// reaches the last frame as it dies; it loses 3 of life per second.
#include "game/effects/SparcEmitter.h"

class Smoke : public SparcEmitter {
public:
    Smoke(float x, float y, float z, int count, float speedMin, float speedMax, float angle, float angleRange,
          float scale, UColor colour);
    ~Smoke() override = default;

    void update(double time, double dt) override;

private:
    int frameFor(const Sparc& sparc) const;
};
