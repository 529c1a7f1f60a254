#pragma once
// The player's bow. It stands on one of the level's launcher spots, turns
// to the pointer, keeps two pieces ready in its queue (front first) and
// shoots the front one along its aim when the shoot button goes down while
// it is ready. After a shot the queue slides forward for 0.25 s (0.125 s
// while fast shot runs); a piece the claw brings home slides in at the
// front in 0.125 s. Space or the cycle button moves it to the next spot
// while the claw is at rest.
//
// Off (state 1) it holds no piece of its own making, ignores every button
// and shows its bow string three quarters drawn; a claw trip under way
// still ends and delivers. Queued pieces are children of its queue, a
// fired piece goes to the game's piece layer. It owns its claw.
#include "graphics/Renderable.h"
#include "object/QelBase.h"

class Cargo;
class Claw;

class Launcher : public Renderable {
public:
    enum State {
        STATE_OFF = 1,
        STATE_LOADING = 2,
        STATE_READY = 3,
    };
    static constexpr int QUEUE_LENGTH = 2;

    // Off, with an empty queue; the images must be registered.
    Launcher();
    ~Launcher() override;

    void update(double time, double dt) override;
    // Beam, claw, bow, bow string, then the queue from back to front.
    void render() override;
    void onStateChange() override;

    // Off; on again only from off, so an active launcher keeps its state.
    void setActive(bool active);
    void turnOff();
    // To the level's first spot, silently.
    void reset();
    // To the level's next spot, with a pop and sparks unless it was not
    // placed yet or has only one spot.
    void cycleSpot();
    // At the front (with the insert animation unless off) or the back.
    void addPiece(Cargo* piece, bool front);
    // Tops the queue up to two live pieces (unless off), trims it to two
    // and lays it out; dead pieces count for nothing.
    void refillQueue();
    // Deletes every queued piece.
    void clearQueue();

    float aimAngle = 0.0f;
    i32 wildcardShots = 0;
    i32 fireballShots = 0;
    V3 aimDirection;
    Claw* claw;
    // Seconds of fast shot left.
    double fastShotTime = 0.0;
    Renderable beam;
    Renderable bowString;
    float bowTension = 0.0f;
    QelBase queue;
    float reloadPhase = 0.0f;
    // 1 after a shot, -1 for a piece put in at the front, 0 none.
    i32 reloadDirection = 0;
    i32 spotIndex = -1;

private:
    void cycleIfAsked();
    void aim();
    void showBeam(double dt);
    void runStates(double dt);
    void fire();
    void showBowString();
    void colourPointer();
    Cargo* makePiece();
    void layOutQueue();
};
