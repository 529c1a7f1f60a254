#pragma once
// The launcher's grappling hook on its chain. Shot toward a point, it flies
// out along the launcher's aim against a constant pull of 2000 units/s²,
// fast enough to stop exactly at the edge of the play area, and falls back
// home: a trip with nothing caught lasts 2 sqrt(2e / 2000) s for an edge e
// units beyond its rest point. Nothing happens when the edge is nearer
// than its rest point, 45 units ahead of the launcher.
//
// On the way a dock may hand it a wrong piece or a bonus; the pull is then
// four times as strong. Home again, a bonus takes effect and is deleted,
// and any other piece goes to the front of the launcher's queue. Only one
// trip at a time; the launcher ticks and draws it, not the object tree.
// It owns the piece it carries, and deletes it when it goes first or when
// the piece dies on the way.
#include "game/physics/Physics.h"
#include "graphics/Renderable.h"

class Cargo;
class Launcher;

class Claw : public Renderable {
public:
    enum State {
        STATE_AT_REST = 1,
        STATE_OUT = 2,
    };
    static constexpr float PULL = 2000.0f;

    // The images must be registered.
    explicit Claw(Launcher* owner);
    ~Claw() override;

    void update(double time, double dt) override;
    // The chain, the head, then the piece it carries.
    void render() override;
    void onStateChange() override;

    // At rest only: out toward the point, as far as the edge of the play
    // area.
    void shoot(float x, float y, float z);
    // Takes a piece it touches while out and empty-handed.
    bool tryGrab(Cargo* piece);
    // Shows `length` units of chain ending at the chain's anchor.
    void setChainLength(float length);

    float baseLength = 45.0f;
    Launcher* launcher;
    Renderable chain;
    // Where the chain's outer end lies along the aim from the head.
    float chainOffset = -64.0f;
    // x: how far the head is beyond its rest point, its speed outward, and
    // the pull.
    Physics body;
    Cargo* heldPiece = nullptr;
    double nextClickTime = 0.0;

private:
    // The piece home: a bonus takes effect, anything else is queued.
    void deliver();
};
