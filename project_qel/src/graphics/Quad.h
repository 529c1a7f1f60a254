#pragma once
// The ordinary skin: one textured rectangle, four vertices drawn as a
// triangle strip, its texture coordinates a rectangle of a texture.
#include <vector>

#include "graphics/Skin.h"

class Texture;

class Quad : public Skin {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    Quad();

    // width and height, and the four vertices around the origin.
    void buildVertices(float w, float h);
    // The size from the texture coordinates and the texture's full-size
    // measure, so one pixel of the full-size image is one world unit. The
    // texture must be set.
    virtual void rebuild();
    void draw(Renderable* owner) override;

    // Four white vertices of a triangle strip at v (top left, top right,
    // bottom left, bottom right) with this quad's texture coordinates.
    void writeCorners(Vertex* v, float left, float top, float right, float bottom) const;

    Texture* texture = nullptr;
    float uvLeft = 0.0f;
    float uvTop = 0.0f;
    float uvRight = 1.0f;
    float uvBottom = 1.0f;
    // The rectangle in texels of the texture (of the sub-texture for a
    // mosaic cell), written by the texture that made the quad.
    i32 texelLeft = 0;
    i32 texelTop = 0;
    i32 texelBottom = 0;
    i32 texelRight = 0;
    // Every texel the quad can sample is fully transparent, so the alpha
    // test drops each of its fragments: drawing it changes no pixel.
    bool bInvisible = false;
    // Which blocks of BLOCK x BLOCK texels of the rectangle, row by row
    // from its top left, can show: hold a texel within the reach of linear
    // filtering of one that is not fully transparent. Empty when that is
    // not known; then the whole quad is drawn.
    static constexpr i32 BLOCK = 16;
    std::vector<bool> visibleBlocks;
    i32 blockColumns = 0;
};
