#pragma once
// The view of a screen: looks along +z from a negative z at scenes that lie
// in planes of constant z. The whole view lives in the projection matrix, so
// the modelview holds only each object's own matrix. Also converts between
// logical screen points (fovWidth x fovHeight, y up) and world points in a
// plane z.
#include "math/V3.h"
#include "object/QelBase.h"

struct ViewRect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

class Camera : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // Stands at (0, 0, -fovWidth / 2) looking at the origin: one world unit
    // in the plane z = 0 is one logical pixel.
    Camera();

    // Snaps the eye and its target to whole units (plus the device's view
    // offset). Does not tick children.
    void update(double time, double dt) override;
    // Loads the projection with the view. Does not render children.
    void render() override;
    // Runs after the screen's contents ticked.
    virtual void postUpdate(double time, double dt);

    // The world rectangle seen in the plane z.
    ViewRect getViewRect(float z) const;
    // The world point in plane z under the logical screen point (sx, sy).
    V3 screen2world(float sx, float sy, float z) const;
    // The logical screen point of a world point in plane z, z kept.
    V3 world2screen(float x, float y, float z) const;

    V3 position;
    V3 target;
    V3 eye;
    V3 eyeTarget;
    float roll = 0.0f;

private:
    // The world point shown at the logical screen's bottom-left corner and
    // world units per logical pixel, in plane z.
    struct PlaneScale {
        float left;
        float bottom;
        float factor;
    };
    PlaneScale planeScale(float z) const;
};
