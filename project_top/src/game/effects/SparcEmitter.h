#pragma once
// What every particle emitter shares: the particles in an array it owns,
// their start in a fan of directions, drawing the living ones in array
// order, and the end of the emitter once none is alive.
//
// A particle starts at the emitter's point with a speed drawn between the
// two speeds, which is also its life, in a direction drawn across the fan
// around the angle. In a fan narrower than the full circle the particles
// toward the edges start with less life (down to a tenth at the edge), so
// they die sooner and smaller; their speed stays as drawn.
#include <memory>

#include "math/UColor.h"
#include "object/QelBase.h"
#include "game/effects/Sparc.h"

class Texture;

class SparcEmitter : public QelBase {
public:
    ~SparcEmitter() override = default;

    // The particles alive, in array order.
    void render() override;

    // Life lost per second.
    float decay;
    std::unique_ptr<Sparc[]> sparcs;
    int count;
    float speedMax;
    float scale;
    Texture* pTexture;

protected:
    SparcEmitter(float decayPerSecond, const char* textureName, int particleCount, float maxSpeed,
                 float sizeScale);

    // Draws the particle's speed for a direction offset (drawn before with
    // drawOffset) and sets its velocity and start life.
    void startMotion(Sparc& sparc, float speedMin, float angle, float angleRange, double offset);
    // A draw across the fan: r x range - range / 2.
    static double drawOffset(float angleRange);
    // A whole turn drawn at random.
    static float drawTurn();
    // Flags the emitter dead when no particle is alive; returns whether any is.
    bool anyAlive();
};
