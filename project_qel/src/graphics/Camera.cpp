#include "graphics/Camera.h"

#include <SDL_opengl.h>

#include <cmath>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "graphics/QelGraphics.h"
#include "math/VectorMath.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Camera, QelBase::runtimeClass(), QEL_CREATOR(Camera));

namespace {

const QelGraphics& device()
{
    QEL_ASSERT(g_qel != nullptr && g_qel->graphics != nullptr);
    return *g_qel->graphics;
}

float snapped(float value, float offset)
{
    return static_cast<float>(static_cast<int>(value)) + offset;
}

} // namespace

Camera::Camera()
{
    const QelGraphics& graphics = device();
    const float distance = static_cast<float>(-(graphics.fovWidth / 2));
    position = V3(0.0f, 0.0f, distance);
    eye = V3(graphics.viewOffset.x, graphics.viewOffset.y, distance);
    eyeTarget = V3(graphics.viewOffset.x, graphics.viewOffset.y, 0.0f);
}

void Camera::update(double, double)
{
    const V3 offset = device().viewOffset;
    eye = V3(snapped(position.x, offset.x), snapped(position.y, offset.y), position.z);
    eyeTarget = V3(snapped(target.x, offset.x), snapped(target.y, offset.y), target.z);
}

void Camera::render()
{
    const float a = device().aspectRatio;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(1.0, -1.0, -a, a, 1.0, 999999.0);
    lookAt(eye, eyeTarget, V3(std::sin(roll), std::cos(roll), 0.0f));
    glMatrixMode(GL_MODELVIEW);
}

void Camera::postUpdate(double, double) {}

ViewRect Camera::getViewRect(float z) const
{
    const float a = device().aspectRatio;
    const float d = z - position.z;
    return ViewRect{target.x - d, target.y + d * a, target.x + d, target.y - d * a};
}

Camera::PlaneScale Camera::planeScale(float z) const
{
    // The view is d wide on each side of the target at the distance d of
    // the plane, like the view rectangle.
    const QelGraphics& graphics = device();
    const float d = z - position.z;
    PlaneScale scale;
    scale.left = target.x - d;
    scale.bottom = target.y - d * graphics.aspectRatio;
    scale.factor = (z - eye.z) / static_cast<float>(graphics.fovWidth / 2);
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
