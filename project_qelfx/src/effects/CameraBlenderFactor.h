#pragma once
// A viewpoint that a CameraBlender moves towards: its position and a blend
// factor that grows from 0 to 1 over a duration, eased by a curve.
#include "graphics/Camera.h"
#include "math/VectorMath.h"

class CameraBlenderFactor : public Camera {
public:
    CameraBlenderFactor() = default;
    ~CameraBlenderFactor() override = default;

    // Advances the factor until it reaches 1 (a duration of 0 or less
    // arrives at once). Called by the owning blender.
    void update(double time, double dt) override;

    i32 curve = CURVE_EASE_IN_OUT;
    double duration = 1.0;
    double time = 0.0;
    float factor = 0.0f;
    // Seconds before the blend starts; counted down by the blender.
    double delay = 0.0;
};
