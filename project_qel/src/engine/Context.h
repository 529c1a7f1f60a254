#pragma once
// The base of every screen and game state: an object whose children are the
// screen's objects, with a clock of its own that can be scaled and limited,
// a camera, the mouse in the camera's world, an optional clear colour and
// the hooks through which the screen stack drives it.
#include "math/UColor.h"
#include "math/V3.h"
#include "object/QelBase.h"

class Camera;

class Context : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    Context();
    ~Context() override;

    void update(double time, double dt) override;
    void render() override;

    virtual void tick(double time, double dt) { update(time, dt); }
    virtual void draw() { render(); }
    virtual void activate(bool /*firstTime*/) {}
    virtual void deactivate(bool /*finished*/) {}
    virtual void tickContents(double time, double dt) { QelBase::update(time, dt); }
    virtual void renderContents() { QelBase::render(); }

    // Recomputes the mouse position in the camera's world (plane z = 0).
    void updateMouseWorld();
    // The point of this screen's world shown at the same screen position as
    // the point p of the other screen's world.
    V3 worldFromContext(const Context* other, V3 p) const;

    u8 bFinished = 0;
    u8 bDeleteWhenFinished = 0;
    u8 bEscapeCloses = 1;
    u8 bSkippable = 0;
    u8 bConfirmEscape = 0;
    u8 bShowPointer = 1;
    u8 bHideFrameRate = 0;
    double timeLimit = 0.0;
    UColor clearColor;
    QelBase* preObject = nullptr;
    QelBase* postObject = nullptr;
    QelBase* pointerObject = nullptr;
    double time = 0.0;
    double frameDelta = 0.0;
    double timeScale = 1.0;
    V3 mouseWorld;
    V3 mouseWorldPrev;
    V3 mouseWorldDelta;
    Camera* camera = nullptr;
    u8 bFirstActivation = 1;
};
