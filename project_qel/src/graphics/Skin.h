#pragma once
// The drawable geometry of a Renderable: a rectangle of width x height
// centred on its local origin and drawn shifted by minus `origin`, with its
// own vertex buffer. Skin itself draws nothing; Quad and QuadMosaic give it
// geometry.
#include "graphics/VertexBuffer.h"
#include "math/Matrix.h"
#include "math/UColor.h"
#include "math/V3.h"
#include "object/QelBase.h"

class Renderable;

class Skin : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    Skin();
    ~Skin() override = default;

    // Multiplies m by the translation by minus the origin.
    virtual void applyOrigin(Matrix& m);
    // -width/2 <= x < width/2 and -height/2 <= y < height/2.
    virtual bool isPointInside(float x, float y);
    virtual void draw(Renderable* owner);
    virtual V3 getHalfSize();
    // Hooks for skins whose geometry is not a plain rectangle.
    virtual V3 local2world(V3 p);
    virtual V3 world2local(V3 p);
    virtual V3 local2worldOld(V3 p);
    virtual V3 world2localOld(V3 p);

    // Puts the origin on a point of the rectangle chosen like the keys of a
    // numeric keypad (1 bottom left ... 9 top right; 0 and 5 the centre);
    // other anchors change nothing. Call it once the size is known.
    void setOrigin(int anchor);
    // Draws the skin once at a world position in a colour, through a
    // passing object that is always visible.
    void drawAt(V3 position, UColor color);

    V3 origin;
    VertexBuffer vertexBuffer{0};
    float width = 0.0f;
    float height = 0.0f;
};
