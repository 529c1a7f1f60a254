#pragma once
// The base of every drawn object: a placement (position, rotation in
// radians, scale, a second scale applied before the rotation and a parent
// frame `postXform`), a colour and a Skin that draws it. The setters
// recompute the world matrix, its inverse (on request) and the bounding
// circle at once, without OpenGL, so picking, bounds and visibility work
// without a window.
#include "graphics/Camera.h"
#include "math/Matrix.h"
#include "math/UColor.h"
#include "math/V3.h"
#include "object/QelBase.h"

class Skin;

class Renderable : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    Renderable();
    // Releases the skin when the object owns it.
    ~Renderable() override;

    // Tests the view, loads the world matrix and lets the skin draw. Does
    // not render the children.
    void render() override;
    // Whether the mouse, in the world of the object's screen, is on the skin.
    bool isMouseInside() override;
    // A placement read or put back recomputes the matrices.
    void netDeriveState() override;
    void addPropertiesTo(QelBase* container) override;

    // Replace mode for opaque white, modulate for every other colour.
    virtual void applyTextureMode();
    // Multiplies m by the placement: translation, post-scale, rotations
    // about x, y and z, scale. The z factor of both scales is their x.
    virtual void applyTransform(Matrix& m);
    // postXform, the placement and the skin's origin shift; the inverse
    // when bHasInvXform is set.
    virtual void calcXform();
    virtual void calcBounds();
    virtual void calcVisibility();
    virtual bool isPointInsideSkin(V3 p);
    // Strictly inside the bounding circle (times collisionSensitivity).
    virtual bool isPointInsideBounds(V3 p);
    virtual bool isPointInsideCollisionBounds(V3 p);
    virtual bool collide(Renderable* other);
    virtual V3 local2world(V3 p);
    // Needs bHasInvXform.
    virtual V3 world2local(V3 p);
    virtual void updateXform();
    virtual void setScaleXY(float s);
    virtual void setPostScale(V3 s);
    virtual V3& getPostScale();
    virtual void setPostScaleXY(float s);
    virtual void setPostXform(Matrix& m);

    // Releases the skin whether owned or not.
    void deleteSkin();
    // Every argument that is not null replaces its field; then the matrices.
    void setPlacement(Skin* skin, const V3* newPosition, const V3* newRotation, const V3* newScale);
    bool boundsIntersecting(Renderable* other);
    // Whether the square around the bounding circle meets the rectangle
    // (touching counts).
    bool isInView(const ViewRect& view) const;

    Matrix xform;
    Matrix invXform;
    V3 boundsCenter;
    UColor color = UColor::fromWord(0xFFFFFFFF);
    float boundsRadius = 0.0f;
    float collisionSensitivity = 1.0f;
    bool bHidden = false;
    bool bOwnsSkin = false;
    bool bHasInvXform = false;
    // Clear when the world matrix could not be inverted (an object scaled
    // to 0): such an object contains no point.
    bool bInvXformValid = false;
    Matrix postXform;
    Skin* pSkin = nullptr;
    V3 position;
    V3 rotation;
    V3 scale{1.0f, 1.0f, 1.0f};
    V3 postScale{1.0f, 1.0f, 1.0f};
    i32 lastUpdateFrame = -1;

private:
    // The bounds or collision circle as dashed lines, for the debug overlay.
    void drawDebugCircles(u32 debugLevel);
};
