#pragma once
// Whether a textured draw puts a texel's centre on the centre of every pixel
// it covers: each triangle steps through the texture by whole texels per
// pixel (one to one, mirrored, turned by right angles, or held on one
// texel), with no perspective, and its pixel centres land on texel centres.
// Bilinear filtering of such a draw gives exactly the nearest texel, which
// a software rasteriser samples at a fraction of the cost.
#include "graphics/VertexBuffer.h"

class TexelMapping {
public:
    // The device transform of a draw: OpenGL's column-major model-view and
    // projection matrices and the viewport's size in pixels.
    struct Transform {
        const float* modelView;
        const float* projection;
        int viewportWidth;
        int viewportHeight;
    };

    // Vertices [0, count) drawn as `primitive` (VertexBuffer's triangles, a
    // strip or a fan; anything else answers false) with a texture of
    // textureWidth x textureHeight texels.
    static bool hitsTexelCentres(const Vertex* vertices, int count, int primitive, int textureWidth,
                                 int textureHeight, const Transform& transform);
};
