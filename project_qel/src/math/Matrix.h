#pragma once
// A 4x4 single-precision matrix in OpenGL's column-major order; the
// translation lies in elements 12, 13 and 14.

struct Matrix {
    float m[16] = {};

    float& operator[](int i) { return m[i]; }
    float operator[](int i) const { return m[i]; }
};
