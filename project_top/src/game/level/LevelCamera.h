#pragma once
// The camera of a running level: it stands half the view width times the
// level's camera factor in front of the scene plane z = 0 and looks at
// y = 16, so one unit of the scene picture is one pixel of the view and a
// point's height brings it nearer. The game places its camera here, and the
// checker of the level files and the scene painter see the paths through
// the same projection.
#include "math/V3.h"

class Camera;

struct LevelCamera {
    static constexpr float LOOK_Y = 16.0f;

    // The eye for a view fovWidth wide.
    static V3 eye(float cameraFactor, int fovWidth);
    // Puts a screen's camera there, looking at (0, LOOK_Y).
    static void place(Camera& camera, float cameraFactor, int fovWidth);
    // The view point (centre 0, y up, in the units of a fovWidth-wide view)
    // where the world point appears; z kept.
    static V3 toView(V3 world, float cameraFactor, int fovWidth);
    // The point of the scene picture (centred on the origin, one pixel a
    // unit) that lies under the world point.
    static V3 toScene(V3 world, float cameraFactor, int fovWidth);
};
