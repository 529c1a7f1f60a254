#pragma once
// The wildcard and the fireball: pieces that spin at -8 radians per second
// everywhere (also in the launcher and in a dock) and, while the detail
// setting is 1 or more, leave a trail of two-spark bursts every 0.05 s in
// the game's popup layer, behind the other popups (not while resting in a
// hidden dock). However long a frame, it makes at most one burst: the
// timer restarts at 0 instead of carrying the rest over.
#include "game/cargo/CargoNormal.h"

class Firework;

class CargoSparkling : public CargoNormal {
public:
    ~CargoSparkling() override = default;

    // The piece's own update, then the trail.
    void update(double time, double dt) override;

    // Seconds since the last burst.
    double trailTimer = 0.0;
    double trailInterval = 0.05;

protected:
    // Frame 0 of the image as the sprite.
    CargoSparkling(i32 pieceType, const char* image);
    // The burst of two sparks at the piece's position, in the piece's
    // colours.
    virtual Firework* makeTrailBurst() = 0;
};
