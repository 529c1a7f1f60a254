#include "game/track/SplineLambda.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/depth/DepthManager.h"
#include "game/depth/RenderableDepth.h"
#include "global/Geometry.h"
#include "graphics/VertexBuffer.h"
#include "math/VectorMath.h"
#include "system/SystemUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(SplineLambda, SplineBezier::runtimeClass(), QEL_CREATOR(SplineLambda));

namespace {

constexpr int SAMPLES_PER_POINT = 1000;
// Turn rate (radians per unit of length) at which the debug colours of the
// path change from the gentle to the sharp scale.
constexpr float SHARP_TURN = 1.0f / 65.0f;
// Depth ticks, by how many of the game's depth-sorted objects lie nearer
// than the path there.
constexpr std::array<UColor, 6> TICK_PALETTE = {
    UColor(255, 255, 255, 255), UColor(255, 230, 90, 255), UColor(255, 170, 50, 255),
    UColor(255, 100, 40, 255),  UColor(230, 40, 120, 255), UColor(160, 40, 230, 255),
};

UColor tickColour(const DepthManager* depths, float z)
{
    size_t nearer = 0;
    if (depths != nullptr) {
        for (const RenderableDepth* object : depths->depthList) {
            nearer += object->depth < z ? 1 : 0;
        }
    }
    return TICK_PALETTE[std::min(nearer, TICK_PALETTE.size() - 1)];
}

float lengthOf(V3 v)
{
    return std::sqrt(v.dot(v));
}

} // namespace

SplineLambda::SplineLambda() = default;

SplineLambda::~SplineLambda() = default;

void SplineLambda::build()
{
    tablePoints.clear();
    tableHeadings.clear();
    length = 0.0f;
    if (points.empty()) {
        return;
    }
    const double step = 1.0 / (double(SAMPLES_PER_POINT) * double(points.size()));
    tablePoints.push_back(points[0]);
    tableHeadings.push_back(std::atan2(handles[0].y, handles[0].x));
    V3 prev = points[0];
    double t = 0.0;
    double s = 0.0;
    double next = spacing;
    do {
        t += step;
        const V3 p = evaluate(float(t));
        const V3 d = p - prev;
        const double sPrev = s;
        s += double(lengthOf(d));
        if (t >= 1.0) {
            length = float(sPrev + (1.0 - (t - step)) / step * (s - sPrev));
        }
        if (s >= next) {
            const float f = float((next - sPrev) / (s - sPrev));
            tablePoints.push_back(interpolateV3(prev, p, f, CURVE_LINEAR));
            tableHeadings.push_back(std::atan2(d.y, d.x));
            next += spacing;
        }
        prev = p;
    } while (t <= 1.0);
}

int SplineLambda::lambdaToIndex(float lambda, float* remainder) const
{
    // Written so that a NaN lands on 0.
    const float l = lambda > 0.0f ? std::min(lambda, length) : 0.0f;
    const int i = int(l / spacing);
    if (remainder != nullptr) {
        *remainder = l - float(i) * spacing;
    }
    return i;
}

V3 SplineLambda::getTablePoint(int i) const
{
    if (tablePoints.empty()) {
        return V3();
    }
    return tablePoints[size_t(std::clamp(i, 0, int(tablePoints.size()) - 1))];
}

void SplineLambda::getPointAndHeading(float lambda, V3* point, float* heading, float* z) const
{
    if (tablePoints.empty()) {
        if (point != nullptr) {
            *point = V3();
        }
        if (heading != nullptr) {
            *heading = 0.0f;
        }
        if (z != nullptr) {
            *z = 0.0f;
        }
        return;
    }
    float remainder = 0.0f;
    const int i = lambdaToIndex(lambda, &remainder);
    const float f = remainder / spacing;
    const int last = int(tablePoints.size()) - 1;
    const size_t i0 = size_t(std::min(std::max(i, 0), last));
    const size_t i1 = size_t(std::min(std::max(i + 1, 0), last));
    if (point != nullptr || z != nullptr) {
        V3 p = interpolateV3(tablePoints[i0], tablePoints[i1], f, CURVE_LINEAR);
        if (z != nullptr) {
            *z = p.z;
            p.z = 0.0f;
        }
        if (point != nullptr) {
            *point = p;
        }
    }
    if (heading != nullptr) {
        const float h0 = tableHeadings[i0];
        *heading = h0 + angleDifference(h0, tableHeadings[i1]) * f;
    }
}

V3 SplineLambda::getPoint(float lambda) const
{
    V3 point;
    getPointAndHeading(lambda, &point, nullptr, nullptr);
    point.z = 0.0f;
    return point;
}

void SplineLambda::render()
{
    renderHandles();
    const int n = int(tablePoints.size());
    if (n == 0) {
        return;
    }
    const GameController* game = MyGlobal::liveGame();
    const DepthManager* depths = game != nullptr ? game->depthManager : nullptr;
    VertexBuffer ticks(n * 2);
    VertexBuffer strip(n);
    float previousDirection = tableHeadings[0];
    for (int k = 0; k < n; ++k) {
        V3 p = tablePoints[size_t(k)];
        const float depth = p.z;
        p.z = 0.0f;
        float direction = tableHeadings[size_t(k)];
        if (k > 0) {
            const V3 back = tablePoints[size_t(k - 1)] - tablePoints[size_t(k)];
            direction = std::atan2(-back.y, -back.x);
        }
        // Across the path, from the backward direction turned a quarter turn.
        const float across = direction + std::numbers::pi_v<float> * 1.5f;
        const V3 tickEnd = p + V3(std::cos(across), std::sin(across), 0.0f) * depth;
        const UColor tick = tickColour(depths, depth);
        setVertex(ticks.vertices[size_t(k) * 2], p, tick);
        setVertex(ticks.vertices[size_t(k) * 2 + 1], tickEnd, tick);

        const float rate = std::fabs(angleDifference(previousDirection, direction)) / spacing;
        UColor colour;
        if (rate < SHARP_TURN) {
            lerpColor(colour, UColor::fromWord(0xffff0000), UColor::fromWord(0xffffff00), rate * 65.0f);
        } else {
            // The sharp scale starts over at the threshold and stops at
            // white instead of running the channels past it.
            lerpColor(colour, UColor::fromWord(0xff0000ff), UColor::fromWord(0xffffffff),
                      std::min(rate * 65.0f - 1.0f, 1.0f));
        }
        setVertex(strip.vertices[size_t(k)], p, colour);
        previousDirection = direction;
    }
    drawWorldVertices(ticks, VertexBuffer::LINES);
    drawWorldVertices(strip, VertexBuffer::LINE_STRIP);
}
