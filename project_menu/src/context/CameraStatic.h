#pragma once
// A fixed viewpoint for the background's blending camera: at (x, y, z),
// looking straight down the z axis at (x, y, 0).
#include "effects/CameraBlenderFactor.h"

class CameraStatic : public CameraBlenderFactor {
public:
    CameraStatic(float x, float y, float z);
    ~CameraStatic() override = default;
};
