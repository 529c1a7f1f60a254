#pragma once
// A quad that can be curled like a sheet wrapped round a cylinder: its
// rectangle is cut into vertical strips that a bend angle rolls onto a
// circular arc while the left edge stays where it is. The point conversions
// map between the flat and the bent shape, so picking and bounds follow the
// curl.
#include "graphics/Quad.h"

class BendQuad : public Quad {
public:
    BendQuad();
    ~BendQuad() override = default;

    V3 getHalfSize() override;
    V3 local2world(V3 p) override;
    V3 world2local(V3 p) override;
    // With the bend as it was at the first setBend of the frame.
    V3 local2worldOld(V3 p) override;
    V3 world2localOld(V3 p) override;
    // Texture mapping, then the geometry; nothing without a texture.
    void rebuild() override;
    // Two vertices per column; call after changing `columns`.
    virtual void allocate();
    virtual void buildGeometry();

    // The source's texture and texture rectangle.
    void copyFrom(Quad* source);
    // Bends below 0.001 in size are flat.
    void setBend(float b);

    // At least 2; column 0 is the right edge.
    i32 columns = 2;
    float bend = 0.0f;
    float radius = 0.0f;
    float halfWidth = 0.0f;
    float halfHeight = 0.0f;
    // The image lies a quarter turn rotated: its u axis along the height.
    bool bVertical = false;
    i32 bendFrame = -1;
    float prevBend = 0.0f;
    float prevRadius = 0.0f;

private:
    // The columns the vertex buffer holds (never fewer than 2 are used).
    int columnCount() const;
    V3 bent(V3 p, float b, float r) const;
    V3 flattened(V3 p, float b, float r) const;
};
