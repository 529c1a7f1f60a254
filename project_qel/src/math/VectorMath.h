#pragma once
// Free functions on V3 and Matrix.
#include "math/Matrix.h"
#include "math/V3.h"

enum InterpolationCurve {
    CURVE_LINEAR = 0,
    CURVE_EASE_IN = 1,
    CURVE_EASE_OUT = 2,
    CURVE_EASE_OUT_SINE = 3,
    CURVE_EASE_IN_SINE = 4,
    CURVE_EASE_IN_OUT = 5,
    CURVE_OUT_AND_BACK = 6,
    CURVE_OUT_AND_BACK_LINEAR = 7,
    CURVE_OUT_AND_BACK_EASED = 8,
};

// Affine transform (no division by w).
V3 transformPoint(V3 p, const Matrix& m);
// Strictly inside the sphere: a point on it is outside.
bool isWithinRadius(V3 centre, V3 p, float r);
// a + (b - a) * f(t) with t clamped to [0, 1]; an unknown curve gives a.
V3 interpolateV3(V3 a, V3 b, float t, int curve);
V3 cross(V3 a, V3 b);
// The zero vector stays zero.
V3 normalize(V3 v);
V3 bezierPoint(V3 p0, V3 outTangent, V3 p3, V3 inTangent, float t);
V3 rotateYawPitch(V3 v, float yaw, float pitch);
V3 rotateAboutZ(V3 v, float angle);

void matrixIdentity(Matrix& m);
void matrixMultiply(Matrix& out, const Matrix& a, const Matrix& b);
// Gauss-Jordan elimination with partial pivoting. False when the matrix is
// singular (every candidate pivot of a column is zero); out is then unusable.
bool matrixInverse(Matrix& out, const Matrix& in);
// m times a translation, a scale or a rotation (degrees about one of the
// three axes: 0 x, 1 y, 2 z), as glTranslatef, glScalef and glRotatef change
// the current matrix.
void matrixTranslate(Matrix& m, V3 t);
void matrixScale(Matrix& m, V3 s);
void matrixRotateAxis(Matrix& m, float degrees, int axis);
// The viewing matrix of gluLookAt: rows s, u, -f, then a translation by -eye.
Matrix lookAtMatrix(V3 eye, V3 target, V3 up);
// Multiplies the current OpenGL matrix by lookAtMatrix.
void lookAt(V3 eye, V3 target, V3 up);
