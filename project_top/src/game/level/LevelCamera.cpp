#include "game/level/LevelCamera.h"

#include "graphics/Camera.h"

V3 LevelCamera::eye(float cameraFactor, int fovWidth)
{
    return V3(0.0f, LOOK_Y, float(-(fovWidth / 2)) * cameraFactor);
}

void LevelCamera::place(Camera& camera, float cameraFactor, int fovWidth)
{
    camera.position = eye(cameraFactor, fovWidth);
    camera.target = V3(0.0f, LOOK_Y, 0.0f);
}

V3 LevelCamera::toView(V3 world, float cameraFactor, int fovWidth)
{
    const V3 from = eye(cameraFactor, fovWidth);
    const float scale = float(fovWidth / 2) / (world.z - from.z);
    return V3(world.x * scale, (world.y - LOOK_Y) * scale, world.z);
}

V3 LevelCamera::toScene(V3 world, float cameraFactor, int fovWidth)
{
    const V3 seen = toView(world, cameraFactor, fovWidth);
    return V3(seen.x, seen.y + LOOK_Y, 0.0f);
}
