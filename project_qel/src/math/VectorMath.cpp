#include "math/VectorMath.h"

#include <GL/gl.h>

#include <cmath>
#include <utility>

V3 transformPoint(V3 p, const Matrix& m)
{
    return V3(p.x * m[0] + p.y * m[4] + p.z * m[8] + m[12],
              p.x * m[1] + p.y * m[5] + p.z * m[9] + m[13],
              p.x * m[2] + p.y * m[6] + p.z * m[10] + m[14]);
}

bool isWithinRadius(V3 centre, V3 p, float r)
{
    V3 d = p - centre;
    return r * r > d.dot(d);
}

V3 interpolateV3(V3 a, V3 b, float t, int curve)
{
    const double halfPi = 1.5707963267948966;
    const double pi = 3.141592653589793;
    const double threeHalvesPi = 4.71238898038469;
    if (!(t > 0.0f)) {
        t = 0.0f;  // also catches NaN
    } else if (t > 1.0f) {
        t = 1.0f;
    }
    float f;
    switch (curve) {
    case CURVE_LINEAR: f = t; break;
    case CURVE_EASE_IN: f = t * t; break;
    case CURVE_EASE_OUT: f = 1.0f - (1.0f - t) * (1.0f - t); break;
    case CURVE_EASE_OUT_SINE: f = float(std::sin(t * halfPi)); break;
    case CURVE_EASE_IN_SINE: f = float(std::sin(t * halfPi + threeHalvesPi) + 1.0); break;
    case CURVE_EASE_IN_OUT: f = float(std::sin(t * pi + threeHalvesPi) * 0.5 + 0.5); break;
    case CURVE_OUT_AND_BACK: f = float(std::sin(t * pi)); break;
    case CURVE_OUT_AND_BACK_LINEAR: f = t < 0.5f ? 2.0f * t : 2.0f * (1.0f - t); break;
    case CURVE_OUT_AND_BACK_EASED: {
        float u = t < 0.5f ? 1.0f - 2.0f * t : 1.0f - 2.0f * (1.0f - t);
        f = 1.0f - u * u;
        break;
    }
    default: return a;
    }
    return a + (b - a) * f;
}

V3 cross(V3 a, V3 b)
{
    return V3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

V3 normalize(V3 v)
{
    float length = std::sqrt(v.dot(v));
    if (length == 0.0f) {
        return V3();
    }
    return v * (1.0f / length);
}

V3 bezierPoint(V3 p0, V3 outTangent, V3 p3, V3 inTangent, float t)
{
    V3 p1 = p0 + outTangent;
    V3 p2 = p3 - inTangent;
    V3 q0 = interpolateV3(p0, p1, t, CURVE_LINEAR);
    V3 q1 = interpolateV3(p1, p2, t, CURVE_LINEAR);
    V3 q2 = interpolateV3(p2, p3, t, CURVE_LINEAR);
    V3 r0 = interpolateV3(q0, q1, t, CURVE_LINEAR);
    V3 r1 = interpolateV3(q1, q2, t, CURVE_LINEAR);
    return interpolateV3(r0, r1, t, CURVE_LINEAR);
}

V3 rotateYawPitch(V3 v, float yaw, float pitch)
{
    float cp = std::cos(pitch), sp = std::sin(pitch);
    float y1 = v.y * cp - v.z * sp;
    float z1 = v.y * sp + v.z * cp;
    float cy = std::cos(yaw), sy = std::sin(yaw);
    return V3(v.x * cy + z1 * sy, y1, -v.x * sy + z1 * cy);
}

V3 rotateAboutZ(V3 v, float angle)
{
    float c = std::cos(angle), s = std::sin(angle);
    return V3(v.x * c - v.y * s, v.x * s + v.y * c, v.z);
}

void matrixIdentity(Matrix& m)
{
    for (int i = 0; i < 16; ++i) {
        m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
}

void matrixMultiply(Matrix& out, const Matrix& a, const Matrix& b)
{
    Matrix result;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a[k * 4 + row] * b[column * 4 + k];
            }
            result[column * 4 + row] = sum;
        }
    }
    out = result;
}

bool matrixInverse(Matrix& out, const Matrix& in)
{
    // Element (row r, column c) lives at index c * 4 + r.
    Matrix work = in;
    matrixIdentity(out);
    auto at = [](Matrix& m, int row, int column) -> float& { return m[column * 4 + row]; };
    for (int k = 0; k < 4; ++k) {
        int pivotRow = k;
        for (int r = k + 1; r < 4; ++r) {
            if (std::fabs(at(work, r, k)) > std::fabs(at(work, pivotRow, k))) {
                pivotRow = r;
            }
        }
        float pivot = at(work, pivotRow, k);
        if (pivot == 0.0f || !std::isfinite(pivot)) {
            return false;
        }
        if (pivotRow != k) {
            for (int c = 0; c < 4; ++c) {
                std::swap(at(work, k, c), at(work, pivotRow, c));
                std::swap(at(out, k, c), at(out, pivotRow, c));
            }
        }
        float scale = 1.0f / pivot;
        for (int c = 0; c < 4; ++c) {
            at(work, k, c) *= scale;
            at(out, k, c) *= scale;
        }
        for (int r = 0; r < 4; ++r) {
            if (r == k) {
                continue;
            }
            float factor = at(work, r, k);
            if (factor == 0.0f) {
                continue;
            }
            for (int c = 0; c < 4; ++c) {
                at(work, r, c) -= factor * at(work, k, c);
                at(out, r, c) -= factor * at(out, k, c);
            }
        }
    }
    return true;
}

void matrixTranslate(Matrix& m, V3 t)
{
    for (int row = 0; row < 4; ++row) {
        m[12 + row] += m[row] * t.x + m[4 + row] * t.y + m[8 + row] * t.z;
    }
}

void matrixScale(Matrix& m, V3 s)
{
    for (int row = 0; row < 4; ++row) {
        m[row] *= s.x;
        m[4 + row] *= s.y;
        m[8 + row] *= s.z;
    }
}

void matrixRotateAxis(Matrix& m, float degrees, int axis)
{
    const double radians = static_cast<double>(degrees) * (3.141592653589793 / 180.0);
    const float c = static_cast<float>(std::cos(radians));
    const float s = static_cast<float>(std::sin(radians));
    // The two columns that turn: (first, second) -> (c first + s second,
    // -s first + c second).
    const int first = axis == 0 ? 1 : (axis == 1 ? 2 : 0);
    const int second = axis == 0 ? 2 : (axis == 1 ? 0 : 1);
    for (int row = 0; row < 4; ++row) {
        const float a = m[first * 4 + row];
        const float b = m[second * 4 + row];
        m[first * 4 + row] = a * c + b * s;
        m[second * 4 + row] = b * c - a * s;
    }
}

Matrix lookAtMatrix(V3 eye, V3 target, V3 up)
{
    V3 f = normalize(target - eye);
    V3 s = normalize(cross(f, up));
    V3 u = cross(s, f);
    Matrix rotation;
    matrixIdentity(rotation);
    rotation[0] = s.x; rotation[4] = s.y; rotation[8] = s.z;
    rotation[1] = u.x; rotation[5] = u.y; rotation[9] = u.z;
    rotation[2] = -f.x; rotation[6] = -f.y; rotation[10] = -f.z;
    Matrix translation;
    matrixIdentity(translation);
    translation[12] = -eye.x;
    translation[13] = -eye.y;
    translation[14] = -eye.z;
    Matrix result;
    matrixMultiply(result, rotation, translation);
    return result;
}

void lookAt(V3 eye, V3 target, V3 up)
{
    Matrix view = lookAtMatrix(eye, target, up);
    glMultMatrixf(view.m);
}
