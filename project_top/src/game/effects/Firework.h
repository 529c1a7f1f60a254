#pragma once
// A burst of glowing sparks: each flies straight on at its drawn speed and
// shrinks from the emitter's size toward a tenth as its life (its speed,
// losing 128 per second) runs out. A colour of 0 (all four bytes zero)
// gives every spark a random colour of its own.
#include "game/effects/SparcEmitter.h"

class Firework : public SparcEmitter {
public:
    Firework(float x, float y, float z, int count, float speedMin, float speedMax, float angle, float angleRange,
             float scale, UColor colour);
    ~Firework() override = default;

    void update(double time, double dt) override;

private:
    void place(Sparc& sparc);
};
