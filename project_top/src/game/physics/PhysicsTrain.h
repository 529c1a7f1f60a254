#pragma once
// The body of a run of coupled cars along a track. Only x is used: the
// position is the lambda of the front of the run, the velocity its speed
// along the track, limited to [minSpeed, maxSpeed] (negative: backward).
// A step takes the frame's dt whole and always clears the force, so a
// force acts in exactly one step.
//
// Saved with the game as an 80-byte record: position, previousPosition,
// velocity, acceleration and force as three 32-bit floats each, then mass,
// friction, maxSpeed, minSpeed and damping as one 32-bit float each, all in
// host byte order. Reading refuses, through the packet's error state and
// leaving the body as it was, a record that holds a value that is not
// finite or a mass of 0 or less.
#include "math/V3.h"
#include "object/QelBase.h"

class Packet;

class PhysicsTrain : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    static constexpr int RECORD_SIZE = 80;

    PhysicsTrain();
    ~PhysicsTrain() override = default;

    void update(double time, double dt) override;
    // Writes or reads the record, by the packet's direction.
    void serialize(Packet* packet);

    V3 position;
    V3 previousPosition;
    V3 velocity;
    V3 acceleration;
    V3 force;
    float mass = 1.0f;
    float friction = 0.0f;
    float maxSpeed = 1000000.0f;
    float minSpeed = -1000000.0f;
    float damping = 0.0f;
};
