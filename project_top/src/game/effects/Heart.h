#pragma once
// The heart a join of same-coloured cargo sets off: it rises 100 units per
// second from where it started, swings from side to side less and less,
// shrinks from one and a half times its size to nothing (slowly at first)
// and is gone after two seconds. It cycles through the frames of the heart
// image once a second, and a glow spinning at 2 radians per second, three
// times its size, lies behind it.
#include "graphics/Renderable.h"

class Texture;

class Heart : public Renderable {
public:
    Heart(float x, float y, float z);
    ~Heart() override = default;

    void update(double time, double dt) override;
    // The glow, then the heart.
    void render() override;

    V3 basePosition;
    // Age as a fraction of the two-second life.
    double life = 0.0;
    // Place in the one-second frame cycle, 0 to 1.
    float framePhase = 0.0f;
    Renderable flare;

private:
    Texture* frames;
    int frame = 0;
};
