#pragma once
// The shared background of the menu screens: the first frame of the intro
// image under a camera that glides between heights, so that the backdrop
// carries on from one menu screen to the next.
#include "effects/ContextBlender.h"

class ContextPre : public ContextBlender {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // "intro:0" must be registered.
    ContextPre();
    ~ContextPre() override = default;

    // Puts the camera at the height at once and drops every glide.
    void setCameraHeight(float y);
    // Glides the camera to the height over blendTime seconds; earlier
    // targets are dropped once it has arrived.
    void addCameraTarget(float y, double blendTime);

private:
    // The standard camera distance in front of the plane z = 0.
    static float cameraDepth();
};
