#pragma once
// A smooth curve through control points, each with a tangent handle kept
// relative to its point. Part i runs from point i to point i + 1 as the
// cubic Bezier curve P(i), P(i) + H(i), P(i+1) - H(i+1), P(i+1).
//
// The parameter t in [0, 1] is spread over n parts for n points: the last
// n-th of it is the closing part from the last point to itself, which swings
// 0.289 |H| out along the last handle, back through the point, as far the
// other way and back. Paths end in a short lead-out handle so that this
// stub lies beyond everything placed on them.
//
// Not a member of the object tree: its owner keeps it and draws it only for
// its debug view.
#include <vector>

#include "math/UColor.h"
#include "math/V3.h"
#include "object/QelBase.h"

struct Vertex;

class SplineBezier : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    SplineBezier();
    ~SplineBezier() override = default;

    void addPoint(V3 point, V3 handle);
    // Index clamped to the points there are; the zero vector when there
    // are none.
    V3 getControlPoint(int i) const;
    V3 getHandle(int i) const;
    // The curve at t; the zero vector without points.
    V3 evaluate(float t) const;
    // The handles as lines from each point.
    void render() override;

    std::vector<V3> points;
    std::vector<V3> handles;

protected:
    void renderHandles() const;
    // One vertex of the debug lines.
    static void setVertex(Vertex& vertex, V3 position, UColor colour);
};
