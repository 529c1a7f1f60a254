#pragma once
// The nine-patch skin of frames, panels, buttons and speech bubbles: the
// four borders of a source image keep their size in texels while the skin
// takes any size; corners never scale, edges stretch along their length and
// the centre both ways. Three horizontal bands of 8 vertices each.
#include "graphics/Skin.h"

class Quad;

class StretchSkin : public Skin {
public:
    explicit StretchSkin(Quad* sourceQuad);
    ~StretchSkin() override = default;

    void draw(Renderable* owner) override;
    // The mesh at the source's natural size.
    virtual void rebuild();

    // Note the order: bottom before right. Resets the size to the source's.
    void setBorders(int left, int top, int bottom, int right);
    // The mesh at this size; a height of 0 or less takes the source's.
    void resize(float w, float h);

    Quad* source = nullptr;
    float innerU0 = 0.0f;
    float innerV0 = 0.0f;
    float innerU1 = 0.0f;
    float innerV1 = 0.0f;
    i32 borderLeft = 0;
    i32 borderTop = 0;
    i32 borderBottom = 0;
    i32 borderRight = 0;
};
