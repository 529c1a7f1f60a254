#pragma once
// One piece the player handles: a colour piece, the wildcard or the
// fireball the launcher shoots, or a bonus the game puts into a dock. The
// base holds what every piece shares: its state (free, queued, held,
// flying, moving into a dock, resting in one), its angle and spin, the body
// it flies with, the rule that removes pieces nobody wants any more, and
// the factory that makes a piece from its type number.
//
// A flying piece moves in a straight line at the velocity it was given
// until a dock takes it or it leaves the camera's view; leaving the view
// kills it and breaks the player's placement streak.
//
// Type numbers: 0 to 7 the colours (the colour numbers of the docks), 9 the
// wildcard, 14 the fireball, 10 to 13 and 15 to 18 the bonuses. Ownership
// follows the state: the launcher's queue, the game's piece layer, a dock
// or the claw; a piece ends by flagging itself dead.
#include "game/physics/Physics.h"
#include "graphics/Renderable.h"
#include "math/UColor.h"

class Dock;
class Sound;

class Cargo : public Renderable {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    enum State {
        STATE_FREE = 0,
        STATE_QUEUED = 1,
        STATE_HELD = 2,
        STATE_FLYING = 3,
        STATE_MOVING_TO_DOCK = 4,
        STATE_IN_DOCK = 5,
    };
    static constexpr i32 TYPE_COUNT = 19;
    static constexpr i32 NO_TYPE = 19;
    static constexpr i32 TYPE_WILDCARD = 9;
    static constexpr i32 TYPE_FIREBALL = 14;
    // The colours of the colour numbers 0 to 7.
    static const UColor cargoColours[8];

    // A new piece of the type with its sprite set up; the caller owns it. A
    // number without a piece is a fatal error.
    static Cargo* createByType(i32 type);
    // Whether createByType makes a piece of the type.
    static bool isKnownType(i32 type);

    // Draws the start angle.
    Cargo();
    ~Cargo() override = default;

    void update(double time, double dt) override;
    void onStateChange() override;
    // The collision circle: a radius of 16 units at scale 1.
    virtual void setupSprite();
    // Rests in the dock at once: at its centre, turned with its car unless
    // its angle is locked upright.
    virtual void attachToDock(Dock* d);
    // The piece's effect when collected; true when it is used up.
    virtual bool onCollect() { return false; }

    // Glides into the dock over a quarter of a second, then rests there.
    void moveToDock(Dock* d);
    void detach();
    bool isInHiddenDock() const;
    // Turns the piece to base + its offset, unless its angle is locked.
    void setAngle(float base);
    // Angle and offset to 0; a locked piece keeps angle 0.
    void setAngleLock(bool lock);
    // Flags the piece dead when some dock is open but none wants its
    // colour, unless it fills its own dock correctly.
    void dieIfUnwanted();

    bool isSpecial = false;
    // Played when fired; null for the launcher's own shot sound.
    Sound* launchSound = nullptr;
    Physics body;
    Dock* dock = nullptr;
    i32 type = NO_TYPE;
    // Radians per second.
    float spinSpeed = 0.0f;
    float angleOffset;
    // Seconds left in a dock; 0 for no limit.
    double lifeLeft = 0.0;
    // Spins also while queued, held or docked.
    bool spinAlways = false;
    float angle;
    bool angleLocked = false;
    float blend = 0.0f;
    V3 blendFrom;

protected:
    // Sets the angle and turns the sprite with it.
    void showAngle(float value);

private:
    // One frame of the glide into the dock, and of the rest in it.
    void glideIn(double dt);
    void restInDock(double dt);
    // The rotation of the dock's car about z.
    float carAngle() const;
};
