#include "global/Geometry.h"

#include <cmath>
#include <numbers>

#include "math/VectorMath.h"

namespace {

constexpr double PI = std::numbers::pi;
constexpr double TWO_PI = 2.0 * std::numbers::pi;
// Beyond this many turns the angle is reduced in one step instead of turn
// by turn.
constexpr double STEPPED_LIMIT = 64.0 * TWO_PI;

// Brings a finite angle into [low, low + 2 pi) by whole turns, each step in
// double precision stored as a float.
float wrapAngle(float angle, double low)
{
    if (std::fabs(double(angle)) > STEPPED_LIMIT) {
        angle = float(std::fmod(double(angle), TWO_PI));
    }
    while (double(angle) < low) {
        angle = float(double(angle) + TWO_PI);
    }
    while (double(angle) >= low + TWO_PI) {
        angle = float(double(angle) - TWO_PI);
    }
    return angle;
}

} // namespace

float angleDifference(float from, float to)
{
    if (!std::isfinite(from) || !std::isfinite(to)) {
        return 0.0f;
    }
    from = wrapAngle(from, 0.0);
    to = wrapAngle(to, 0.0);
    const float d = to - from;
    if (to > from) {
        return double(d) >= PI ? float(double(d) - TWO_PI) : d;
    }
    if (from > to) {
        return double(from - to) < PI ? d : float(double(d) + TWO_PI);
    }
    return 0.0f;
}

V3 directionFromAngles(float longitude, float latitude)
{
    return rotateYawPitch(V3(0.0f, 0.0f, -1.0f), -longitude, latitude);
}

V3 rayToRectangle(float x, float y, float, float angle, const RectF& rect)
{
    if (!std::isfinite(angle)) {
        return V3();
    }
    // Into [-pi, pi]: pi itself stays as it is.
    if (double(angle) > PI) {
        angle = wrapAngle(angle, -PI);
    }
    if (double(angle) < -PI) {
        angle = wrapAngle(angle, -PI);
    }
    const float tl = std::atan2(rect.top - y, rect.left - x);
    const float tr = std::atan2(rect.top - y, rect.right - x);
    const float bl = std::atan2(rect.bottom - y, rect.left - x);
    const float br = std::atan2(rect.bottom - y, rect.right - x);
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    float scale = 0.0f;
    if (tr <= angle && angle < tl) {
        scale = std::fabs((rect.top - y) / s);
    } else if (angle >= tl || angle <= bl) {
        scale = std::fabs((rect.left - x) / c);
    } else if (bl < angle && angle <= br) {
        scale = std::fabs((rect.bottom - y) / s);
    } else {
        scale = std::fabs((rect.right - x) / c);
    }
    return V3(c * scale, s * scale, 0.0f);
}
