#pragma once
// Lays a level's authored control points as a path: higher points are
// spread further from the centre of the screen, the height becomes a
// negative z, everything is mirrored by the level's factors, the absolute
// handles become tangents, and the path gets a lead-in of 250 units and a
// lead-out of 350 along its end tangents. The level, the checker of the
// level files and the scene painter all lay paths through this one
// function.
#include <vector>

#include "math/V3.h"
#include "system/QelTypes.h"

class SplineBezier;
struct LevelTrack;

struct LevelPath {
    static constexpr float LEAD_IN = 250.0f;
    static constexpr float LEAD_OUT = 350.0f;

    // points and handles hold count entries; both are rewritten with the
    // transformed values. count must be at least 1.
    static void lay(SplineBezier& path, int count, V3* points, V3* handles, i32 mirrorX, i32 mirrorY);
    // The control points of a level file's track as (x, y, height) and
    // absolute handles, ready for lay.
    static void controlPoints(const LevelTrack& track, std::vector<V3>& points, std::vector<V3>& handles);
};
