#include "game/track/SplineBezier.h"

#include <algorithm>
#include <cmath>

#include "graphics/VertexBuffer.h"
#include "math/VectorMath.h"

QEL_IMPLEMENT_RUNTIME_CLASS(SplineBezier, QelBase::runtimeClass(), QEL_CREATOR(SplineBezier));

namespace {

constexpr UColor HANDLE_COLOUR = UColor(80, 255, 120, 255);

template <class T>
T clampedAt(const std::vector<T>& values, int i)
{
    if (values.empty()) {
        return T();
    }
    return values[size_t(std::clamp(i, 0, int(values.size()) - 1))];
}

} // namespace

SplineBezier::SplineBezier() = default;

void SplineBezier::addPoint(V3 point, V3 handle)
{
    points.push_back(point);
    handles.push_back(handle);
}

V3 SplineBezier::getControlPoint(int i) const
{
    return clampedAt(points, i);
}

V3 SplineBezier::getHandle(int i) const
{
    return clampedAt(handles, i);
}

V3 SplineBezier::evaluate(float t) const
{
    const int n = int(points.size());
    if (n == 0) {
        return V3();
    }
    float x = float(n) * t;
    // Keeps the truncation below defined for any input.
    if (!std::isfinite(x)) {
        x = 0.0f;
    }
    x = std::clamp(x, -1.0f, float(n + 1));
    const int i = int(x);
    const float u = x - float(i);
    const int a = std::clamp(i, 0, n - 1);
    const int b = std::clamp(i + 1, 0, n - 1);
    return bezierPoint(points[size_t(a)], handles[size_t(a)], points[size_t(b)], handles[size_t(b)], u);
}

void SplineBezier::render()
{
    renderHandles();
}

void SplineBezier::renderHandles() const
{
    if (points.empty()) {
        return;
    }
    VertexBuffer lines(int(points.size()) * 2);
    for (size_t i = 0; i < points.size(); ++i) {
        setVertex(lines.vertices[i * 2], points[i], HANDLE_COLOUR);
        setVertex(lines.vertices[i * 2 + 1], points[i] + handles[i], HANDLE_COLOUR);
    }
    drawWorldVertices(lines, VertexBuffer::LINES);
}

void SplineBezier::setVertex(Vertex& vertex, V3 position, UColor colour)
{
    vertex.x = position.x;
    vertex.y = position.y;
    vertex.z = position.z;
    vertex.color = colour;
}
