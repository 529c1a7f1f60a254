#include "graphics/TexelMapping.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The screens' camera: 800 x 600 logical units on an 800 x 600 window, the
// eye 400 units in front of the plane z = 0.
constexpr float CAMERA[16] = {1, 0, 0, 0, 0, 4.0f / 3.0f, 0, 0, 0, 0, 1.000002f, 1, 0, 0, 398.0008f, 400};
constexpr float IDENTITY[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr int TEXELS = 64;

// A quad as the skins draw it (a strip: top left, top right, bottom left,
// bottom right) from texel columns and rows onto a rectangle of the view.
std::vector<Vertex> quad(float u0, float v0, float u1, float v1, float left, float top, float right, float bottom,
                         float z = 0.0f, float farZ = 0.0f)
{
    const auto u = [](float texel) { return texel / TEXELS; };
    return {Vertex{u(u0), u(v0), {}, left, top, z}, Vertex{u(u1), u(v0), {}, right, top, z},
            Vertex{u(u0), u(v1), {}, left, bottom, farZ}, Vertex{u(u1), u(v1), {}, right, bottom, farZ}};
}

} // namespace

TEST(TexelMapping, OnlyDrawsThatPutTexelCentresOnPixelCentresQualify)
{
    const struct {
        const char* name;
        std::vector<Vertex> vertices;
        bool hits;
    } cases[] = {
        {"one to one", quad(0, 0, 32, 32, -400, 300, -368, 268), true},
        {"one to one, away from the corner", quad(16, 8, 48, 40, 17, -3, 49, -35), true},
        {"mirrored", quad(32, 0, 0, 32, 0, 0, 32, -32), true},
        {"half a pixel off", quad(0, 0, 32, 32, -399.5f, 300, -367.5f, 268), false},
        {"magnified by one and a half", quad(0, 0, 32, 32, 0, 0, 48, -48), false},
        {"minified by two: whole steps between texel centres", quad(0, 0, 64, 64, 0, 0, 32, -32), false},
        {"held on the centre of one column", quad(20.5f, 0, 20.5f, 32, 0, 0, 260, -32), true},
        {"held on the edge between two columns", quad(20, 0, 20, 32, 0, 0, 260, -32), false},
        {"tilted away from the eye", quad(0, 0, 32, 32, 0, 0, 32, -32, 0, 10), false},
    };
    const TexelMapping::Transform camera{IDENTITY, CAMERA, 800, 600};
    for (const auto& c : cases) {
        EXPECT_EQ(TexelMapping::hitsTexelCentres(c.vertices.data(), 4, VertexBuffer::TRIANGLE_STRIP, TEXELS, TEXELS,
                                                 camera),
                  c.hits)
            << c.name;
    }

    // The model-view matrix moves the quad; a fan and a list of triangles
    // are read as such; lines never qualify.
    const std::vector<Vertex> square = quad(0, 0, 32, 32, 0, 0, 32, -32);
    float moved[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 7, 0, 1};
    EXPECT_TRUE(TexelMapping::hitsTexelCentres(square.data(), 4, VertexBuffer::TRIANGLE_STRIP, TEXELS, TEXELS,
                                               {moved, CAMERA, 800, 600}));
    moved[12] = 5.25f;
    EXPECT_FALSE(TexelMapping::hitsTexelCentres(square.data(), 4, VertexBuffer::TRIANGLE_STRIP, TEXELS, TEXELS,
                                                {moved, CAMERA, 800, 600}));
    const Vertex fan[4] = {square[0], square[1], square[3], square[2]};
    EXPECT_TRUE(TexelMapping::hitsTexelCentres(fan, 4, VertexBuffer::TRIANGLE_FAN, TEXELS, TEXELS, camera));
    const Vertex list[6] = {square[0], square[1], square[2], square[1], square[3], square[2]};
    EXPECT_TRUE(TexelMapping::hitsTexelCentres(list, 6, VertexBuffer::TRIANGLES, TEXELS, TEXELS, camera));
    EXPECT_FALSE(TexelMapping::hitsTexelCentres(square.data(), 4, VertexBuffer::LINE_STRIP, TEXELS, TEXELS, camera));
    // On a window larger than the view every texel covers more than a pixel.
    EXPECT_FALSE(TexelMapping::hitsTexelCentres(square.data(), 4, VertexBuffer::TRIANGLE_STRIP, TEXELS, TEXELS,
                                                {IDENTITY, CAMERA, 1024, 768}));
}
