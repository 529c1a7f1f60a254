// Paths measured by arc length: golden paths whose lengths and points are
// known in closed form.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "game/track/SplineLagInfo.h"
#include "game/track/SplineLambda.h"
#include "support/EngineCore.h"

namespace {

constexpr float PI = std::numbers::pi_v<float>;
// The handle length that makes a two-point Bezier curve a quarter circle.
constexpr float QUARTER_HANDLE = 0.5523f * 400.0f;
// How far the closing part from the last point to itself runs, there and
// back on both sides, per unit of the last handle.
constexpr float CLOSING_PER_HANDLE = 4.0f * 0.2887f;

float distance(V3 a, V3 b)
{
    const V3 d = a - b;
    return std::sqrt(d.dot(d));
}

class Spline : public testing::Test {
protected:
    // From (0, 0) to (1000, 0) at depth 50, ending in a lead-out handle of
    // length 1 as every track does.
    void buildStraight()
    {
        path.addPoint(V3(0, 0, 50), V3(300, 0, 0));
        path.addPoint(V3(1000, 0, 50), V3(1, 0, 0));
        path.build();
    }
    // A quarter circle of radius 400 about the origin, counter-clockwise
    // from (400, 0) to (0, 400).
    void buildQuarterCircle()
    {
        path.addPoint(V3(400, 0, 0), V3(0, QUARTER_HANDLE, 0));
        path.addPoint(V3(0, 400, 0), V3(-QUARTER_HANDLE, 0, 0));
        path.build();
    }

    EngineCore core;
    SplineLambda path;
};

} // namespace

TEST_F(Spline, StraightPathMeasuresDistanceAndLagsByTheChord)
{
    buildStraight();
    EXPECT_NEAR(path.length, 1000.0f + CLOSING_PER_HANDLE, 0.01f);
    EXPECT_EQ(path.tablePoints.size(), path.tableHeadings.size());

    SplineLagInfo lag(&path, 50.0f);
    lag.build();
    for (float lambda : {0.0f, 3.5f, 8.0f, 100.0f, 517.25f, 999.0f}) {
        SCOPED_TRACE(lambda);
        V3 point;
        float heading = 1.0f;
        float z = 0.0f;
        path.getPointAndHeading(lambda, &point, &heading, &z);
        EXPECT_NEAR(point.x, lambda, 0.02f);
        EXPECT_EQ(point.y, 0.0f);
        EXPECT_EQ(point.z, 0.0f);
        EXPECT_NEAR(z, 50.0f, 1e-3f);
        EXPECT_NEAR(heading, 0.0f, 1e-5f);
        EXPECT_EQ(path.getPoint(lambda).z, 0.0f);
        // Entries up to the chord length have nothing that far behind them.
        EXPECT_NEAR(lag.getLag(lambda), lambda <= 48.0f ? 0.0f : lambda - 50.0f, 0.02f);
    }

    EXPECT_NEAR(distance(path.getPoint(-20.0f), V3(0, 0, 0)), 0.0f, 1e-6f);
    const V3 end = path.getPoint(path.length);
    EXPECT_EQ(path.getPoint(path.length + 300.0f), end);
    EXPECT_EQ(path.getPoint(NAN), path.getPoint(0.0f));
}

TEST_F(Spline, QuarterCircleReachesItsEndAtAQuarterTurnOfArc)
{
    buildQuarterCircle();
    const float arc = 200.0f * PI;
    EXPECT_NEAR(path.length, arc + CLOSING_PER_HANDLE * QUARTER_HANDLE, 0.5f);
    EXPECT_NEAR(distance(path.getPoint(arc), V3(0, 400, 0)), 0.0f, 0.5f);

    // Along the arc every point lies on the circle at the angle its lambda
    // gives, heading along the tangent.
    for (float lambda = 0.0f; lambda < arc; lambda += 37.0f) {
        SCOPED_TRACE(lambda);
        const float angle = lambda / 400.0f;
        V3 point;
        float heading = 0.0f;
        path.getPointAndHeading(lambda, &point, &heading, nullptr);
        EXPECT_NEAR(distance(point, V3(400 * std::cos(angle), 400 * std::sin(angle), 0)), 0.0f, 0.5f);
        EXPECT_NEAR(heading, angle + PI / 2, 0.01f);
    }
}

TEST_F(Spline, LagHoldsTheChordAcrossCurvesForTheCarLengths)
{
    buildQuarterCircle();
    for (float chord : {28.0f, 60.0f, 96.0f}) {
        SplineLagInfo lag(&path, chord);
        lag.build();
        for (float lambda = 100.0f; lambda < 620.0f; lambda += 13.0f) {
            SCOPED_TRACE(testing::Message() << "chord " << chord << " lambda " << lambda);
            EXPECT_NEAR(distance(path.getPoint(lag.getLag(lambda)), path.getPoint(lambda)), chord, 0.2f);
        }
    }
}

TEST_F(Spline, HeadingsTurnTheShortWayAcrossTheSeam)
{
    // Leftward over a low arch: headings run from +2.98 through pi to -2.98.
    path.addPoint(V3(0, 0, 0), V3(-300, 50, 0));
    path.addPoint(V3(-1000, 0, 0), V3(-300, -50, 0));
    path.build();
    // The arch is a little longer than its chord; the closing part beyond
    // it turns back and is left out.
    float heading = 0.0f;
    for (float lambda = 0.0f; lambda <= 1000.0f; lambda += 0.5f) {
        path.getPointAndHeading(lambda, nullptr, &heading, nullptr);
        ASSERT_GT(std::fabs(heading), 2.9f) << lambda;
    }
    EXPECT_LT(heading, -2.9f);
}
