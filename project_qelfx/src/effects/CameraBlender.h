#pragma once
// The camera of a ContextBlender: every frame it starts from its base
// position and blends in turn towards each of its child CameraBlenderFactor
// cameras by the child's eased factor. A child that has arrived makes the
// one before it useless, which is then deleted. The camera always looks
// straight ahead and is not snapped to whole units, so it glides.
#include "graphics/Camera.h"

class CameraBlender : public Camera {
public:
    CameraBlender();
    ~CameraBlender() override = default;

    // The blend of the children, the roll shake and the eye.
    void postUpdate(double time, double dt) override;

    // Puts the camera at the point at once and drops every target.
    void reset(float x, float y, float z);

    V3 basePosition;
    double shakeDuration = 0.0;
    double shakeTime = 0.0;
    double shakeAmplitude = 0.0;
};
