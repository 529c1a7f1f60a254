#pragma once
// Angle and ray geometry of the menus and the game. Every function returns
// at once for angles that are not finite, so that a damaged value can never
// keep them turning.
#include "math/V3.h"

struct RectF {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// The signed shortest turn from `from` to `to`, in [-pi, pi]; 0 when either
// angle is not finite.
float angleDifference(float from, float to);
// (0, 0, -1) turned by the longitude (about y) and the latitude (about x).
V3 directionFromAngles(float longitude, float latitude);
// The direction (cos a, sin a, 0) from the point, scaled so that it ends on
// the edge of the rectangle (y up, top > bottom); a zero vector for an angle
// that is not finite.
V3 rayToRectangle(float x, float y, float z, float angle, const RectF& rect);
