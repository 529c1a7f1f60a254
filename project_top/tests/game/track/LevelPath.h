#pragma once
// A path the size of a level's track: 24 points winding across the screen
// and into the depth, about 2300 units long, with smooth handles.
#include <cmath>
#include <vector>

#include "game/track/SplineBezier.h"

constexpr int LEVEL_PATH_POINTS = 24;

inline void layLevelPath(SplineBezier& path)
{
    std::vector<V3> points;
    for (int i = 0; i < LEVEL_PATH_POINTS; ++i) {
        const float a = float(i) * 0.55f;
        points.emplace_back(-480.0f + 42.0f * float(i), 240.0f * std::sin(a), 120.0f * std::cos(a * 0.5f));
    }
    for (int i = 0; i < LEVEL_PATH_POINTS; ++i) {
        const V3 before = points[size_t(i > 0 ? i - 1 : i)];
        const V3 after = points[size_t(i + 1 < LEVEL_PATH_POINTS ? i + 1 : i)];
        path.addPoint(points[size_t(i)], (after - before) * (1.0f / 6.0f));
    }
}
