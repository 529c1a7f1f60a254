#pragma once
// A Bezier path measured by arc length. build() samples the curve once
// into a table with a point and a heading every `spacing` units of length,
// so that entry k lies at lambda k x spacing (lambda: the distance along the
// path from its start). Everything that rides the path is placed by lambda
// through this table: a lookup is one index and one interpolation, and the
// curve itself is evaluated only while building.
//
// Lookups clamp lambda to [0, length] and need a built table; without one
// they give zeros. Points added after build() do not enter the table.
// Table points keep the depth (z) of the path; the plain point lookup drops
// it, the full lookup hands it out separately.
#include "game/track/SplineBezier.h"

class SplineLambda : public SplineBezier {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    SplineLambda();
    ~SplineLambda() override;

    // Samples the curve, 1000 steps per control point, into the tables and
    // sets `length`.
    void build();
    // The table index below lambda (clamped to [0, length]); *remainder
    // receives the distance from that entry onward.
    int lambdaToIndex(float lambda, float* remainder) const;
    // Index clamped to the table.
    V3 getTablePoint(int i) const;
    // Any output may be null. When z is asked for, it receives the depth and
    // the point comes with z 0. The heading turns the short way between two
    // entries, also across the +-pi seam.
    void getPointAndHeading(float lambda, V3* point, float* heading, float* z) const;
    // The point at lambda with z 0.
    V3 getPoint(float lambda) const;
    // The handles, a tick across the path at every entry as long as the
    // path is deep there (its colour telling how many of the live game's
    // depth-sorted objects lie nearer), and the path itself coloured by how
    // sharply it turns.
    void render() override;

    float length = 0.0f;
    float spacing = 8.0f;
    std::vector<V3> tablePoints;
    std::vector<float> tableHeadings;
};
