#pragma once
// A point or vector of three single-precision floats.

struct V3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr V3() = default;
    constexpr V3(float px, float py, float pz) : x(px), y(py), z(pz) {}

    constexpr V3 operator+(V3 o) const { return V3(x + o.x, y + o.y, z + o.z); }
    constexpr V3 operator-(V3 o) const { return V3(x - o.x, y - o.y, z - o.z); }
    constexpr V3 operator*(float s) const { return V3(x * s, y * s, z * s); }
    constexpr V3 operator-() const { return V3(-x, -y, -z); }
    constexpr V3& operator+=(V3 o) { x += o.x; y += o.y; z += o.z; return *this; }
    constexpr V3& operator-=(V3 o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
    constexpr float dot(V3 o) const { return x * o.x + y * o.y + z * o.z; }
    constexpr bool operator==(const V3&) const = default;
};
