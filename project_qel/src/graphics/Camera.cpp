#include "graphics/Camera.h"

#include <SDL_opengl.h>

#include <cmath>

#include "engine/Qel.h"
#include "graphics/QelGraphics.h"
#include "math/VectorMath.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Camera, QelBase::runtimeClass(), QEL_CREATOR(Camera));
QEL_TRAVELS(Camera);

namespace {

// The logical screen shown: the graphics device's, or the default 800 x 600
// one while there is no device (tools and tests without a window).
struct LogicalScreen {
    int fovWidth = 800;
    float aspectRatio = 0.75f;
    V3 viewOffset;
};

LogicalScreen logicalScreen()
{
    LogicalScreen screen;
    if (g_qel != nullptr && g_qel->graphics != nullptr) {
        const QelGraphics& graphics = *g_qel->graphics;
        screen.fovWidth = graphics.fovWidth;
        screen.aspectRatio = graphics.aspectRatio;
        screen.viewOffset = graphics.viewOffset;
    }
    return screen;
}

float snapped(float value, float offset)
{
    return static_cast<float>(static_cast<int>(value)) + offset;
}

} // namespace

Camera::Camera()
{
    const LogicalScreen screen = logicalScreen();
    const float distance = static_cast<float>(-(screen.fovWidth / 2));
    position = V3(0.0f, 0.0f, distance);
    eye = V3(screen.viewOffset.x, screen.viewOffset.y, distance);
    eyeTarget = V3(screen.viewOffset.x, screen.viewOffset.y, 0.0f);
}

void Camera::update(double, double)
{
    const V3 offset = logicalScreen().viewOffset;
    eye = V3(snapped(position.x, offset.x), snapped(position.y, offset.y), position.z);
    eyeTarget = V3(snapped(target.x, offset.x), snapped(target.y, offset.y), target.z);
}

void Camera::render()
{
    const float a = logicalScreen().aspectRatio;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(1.0, -1.0, -a, a, 1.0, 999999.0);
    lookAt(eye, eyeTarget, V3(std::sin(roll), std::cos(roll), 0.0f));
    glMatrixMode(GL_MODELVIEW);
}

void Camera::postUpdate(double, double) {}

ViewRect Camera::getViewRect(float z) const
{
    const float a = logicalScreen().aspectRatio;
    const float d = z - position.z;
    return ViewRect{target.x - d, target.y + d * a, target.x + d, target.y - d * a};
}

Camera::PlaneScale Camera::planeScale(float z) const
{
    // The view is d wide on each side of the target at the distance d of
    // the plane, like the view rectangle.
    const LogicalScreen screen = logicalScreen();
    const float d = z - position.z;
    PlaneScale scale;
    scale.left = target.x - d;
    scale.bottom = target.y - d * screen.aspectRatio;
    scale.factor = (z - eye.z) / static_cast<float>(screen.fovWidth / 2);
    return scale;
}

V3 Camera::screen2world(float sx, float sy, float z) const
{
    const PlaneScale scale = planeScale(z);
    return V3(scale.left + sx * scale.factor, scale.bottom + sy * scale.factor, z);
}

V3 Camera::world2screen(float x, float y, float z) const
{
    const PlaneScale scale = planeScale(z);
    return V3((x - scale.left) / scale.factor, (y - scale.bottom) / scale.factor, z);
}
