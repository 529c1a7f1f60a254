#include <gtest/gtest.h>

#include <cmath>

#include "math/VectorMath.h"

namespace {

void expectNear(V3 actual, V3 expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

Matrix rotationAboutX(float angle)
{
    Matrix m;
    matrixIdentity(m);
    m[5] = std::cos(angle);
    m[6] = std::sin(angle);
    m[9] = -std::sin(angle);
    m[10] = std::cos(angle);
    return m;
}

void expectIdentity(const Matrix& m, float tolerance = 1e-5f)
{
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(m[i], (i % 5 == 0) ? 1.0f : 0.0f, tolerance) << "element " << i;
    }
}

} // namespace

TEST(VectorMath, TransformPointAppliesTheAffinePart)
{
    Matrix m;
    matrixIdentity(m);
    expectNear(transformPoint(V3(1, 2, 3), m), V3(1, 2, 3));
    m[12] = 10;
    m[13] = 20;
    m[14] = 30;
    m[15] = 7;  // w is ignored
    expectNear(transformPoint(V3(1, 2, 3), m), V3(11, 22, 33));
}

TEST(VectorMath, WithinRadiusIsStrict)
{
    EXPECT_FALSE(isWithinRadius(V3(0, 0, 0), V3(3, 4, 0), 5.0f));
    EXPECT_TRUE(isWithinRadius(V3(0, 0, 0), V3(3, 4, 0), 5.01f));
    EXPECT_FALSE(isWithinRadius(V3(1, 1, 1), V3(1, 1, 1), 0.0f));
}

TEST(VectorMath, InterpolationCurves)
{
    V3 a(0, 0, 0);
    V3 b(10, 20, -4);
    expectNear(interpolateV3(a, b, 1.5f, CURVE_LINEAR), b);
    expectNear(interpolateV3(a, b, -1.0f, CURVE_LINEAR), a);
    expectNear(interpolateV3(a, b, 0.5f, CURVE_OUT_AND_BACK), b);
    expectNear(interpolateV3(a, b, 0.25f, CURVE_OUT_AND_BACK_LINEAR), V3(5, 10, -2));
    expectNear(interpolateV3(a, b, 0.5f, CURVE_EASE_IN), b * 0.25f);
    expectNear(interpolateV3(a, b, 0.5f, CURVE_EASE_OUT), b * 0.75f);
    expectNear(interpolateV3(a, b, 0.5f, CURVE_EASE_IN_OUT), b * 0.5f);
    expectNear(interpolateV3(a, b, 1.0f, CURVE_EASE_IN_SINE), b);
    expectNear(interpolateV3(a, b, 1.0f, CURVE_EASE_OUT_SINE), b);
    expectNear(interpolateV3(a, b, 0.5f, CURVE_OUT_AND_BACK_EASED), b);
    expectNear(interpolateV3(a, b, 0.25f, CURVE_OUT_AND_BACK_EASED), b * 0.75f);
    // A curve number nobody uses gives the start point and a NaN factor the start.
    expectNear(interpolateV3(a, b, 0.5f, 42), a);
    expectNear(interpolateV3(a, b, std::nanf(""), CURVE_LINEAR), a);
}

TEST(VectorMath, CrossNormalizeAndRotations)
{
    expectNear(cross(V3(1, 0, 0), V3(0, 1, 0)), V3(0, 0, 1));
    expectNear(normalize(V3(3, 0, 4)), V3(0.6f, 0, 0.8f));
    EXPECT_EQ(normalize(V3(0, 0, 0)), V3(0, 0, 0));
    const float halfPi = 1.5707963f;
    expectNear(rotateAboutZ(V3(1, 0, 5), halfPi), V3(0, 1, 5));
    expectNear(rotateYawPitch(V3(0, 1, 0), 0.0f, halfPi), V3(0, 0, 1));
    expectNear(rotateYawPitch(V3(1, 0, 0), halfPi, 0.0f), V3(0, 0, -1));
}

TEST(VectorMath, BezierEndsAndMiddle)
{
    V3 p0(0, 0, 0);
    V3 p3(4, 0, 0);
    V3 out(0, 2, 0);
    V3 in(0, -2, 0);
    expectNear(bezierPoint(p0, out, p3, in, 0.0f), p0);
    expectNear(bezierPoint(p0, out, p3, in, 1.0f), p3);
    expectNear(bezierPoint(p0, out, p3, in, 2.0f), p3);
    // Control points (0,0) (0,2) (4,2) (4,0): the middle is (2, 1.5).
    expectNear(bezierPoint(p0, out, p3, in, 0.5f), V3(2, 1.5f, 0));
}

TEST(MatrixInverse, InvertsWithPivoting)
{
    Matrix identity;
    matrixIdentity(identity);
    Matrix out;
    ASSERT_TRUE(matrixInverse(out, identity));
    expectIdentity(out);

    // A quarter turn about x puts a zero on the second pivot; pivoting copes.
    Matrix rotation = rotationAboutX(1.5707963f);
    rotation[0] = 2.0f;
    rotation[12] = 5.0f;
    rotation[13] = -3.0f;
    ASSERT_TRUE(matrixInverse(out, rotation));
    Matrix product;
    matrixMultiply(product, rotation, out);
    expectIdentity(product);

    // First column (0, 0, 3, 0): only a full row search finds the pivot.
    Matrix swapped;
    matrixIdentity(swapped);
    swapped[0] = 0.0f;
    swapped[2] = 3.0f;
    swapped[8] = 1.0f;
    swapped[10] = 0.0f;
    ASSERT_TRUE(matrixInverse(out, swapped));
    matrixMultiply(product, swapped, out);
    expectIdentity(product);
}

TEST(MatrixInverse, RefusesSingularMatrices)
{
    Matrix scaledToZero;
    matrixIdentity(scaledToZero);
    scaledToZero[0] = scaledToZero[5] = scaledToZero[10] = 0.0f;
    Matrix out;
    EXPECT_FALSE(matrixInverse(out, scaledToZero));

    Matrix zeroRow;
    matrixIdentity(zeroRow);
    zeroRow[1] = 0.0f;
    zeroRow[5] = 0.0f;
    zeroRow[9] = 0.0f;
    zeroRow[13] = 0.0f;
    EXPECT_FALSE(matrixInverse(out, zeroRow));

    Matrix notFinite;
    matrixIdentity(notFinite);
    notFinite[0] = std::nanf("");
    EXPECT_FALSE(matrixInverse(out, notFinite));
}

TEST(LookAt, MatchesTheClassicViewingTransform)
{
    // Eye on +z looking at the origin: the view is a plain translation.
    Matrix view = lookAtMatrix(V3(0, 0, 10), V3(0, 0, 0), V3(0, 1, 0));
    expectNear(transformPoint(V3(1, 2, 0), view), V3(1, 2, -10));
    // Eye on +x looking at the origin: world -z lies to the right.
    view = lookAtMatrix(V3(5, 0, 0), V3(0, 0, 0), V3(0, 1, 0));
    expectNear(transformPoint(V3(0, 0, 0), view), V3(0, 0, -5));
    expectNear(transformPoint(V3(0, 0, -1), view), V3(1, 0, -5));
}
