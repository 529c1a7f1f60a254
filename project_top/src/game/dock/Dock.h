#pragma once
// One cargo slot on a car, wanting pieces of one colour. Its content
// decides everything: empty (open, shows its sprite), correctly filled (a
// piece of its colour or a wildcard, moving in or resting; shows the piece
// only, never loses the level), a wrong piece or a bonus (open, shows
// sprite, piece and an icon; blocks every piece but a fireball). The dock
// holds the placement rules and their counters and sounds, and loses the
// level while it is open, its back edge lies past the tunnel mark and its
// train is not stopped.
//
// The dock owns its piece (updates, draws and deletes it); the piece is not
// in the object tree. A dock that goes takes itself off the live game's
// list of open docks at once, so nothing walks that list into it later in
// the frame.
//
// Save record: the colour, whether a piece is there, and then its type.
// Reading refuses, through the packet's error state and leaving the dock
// as it was, a colour outside 0 to 7 and a type the cargo factory does not
// make. A piece read back rests in the dock, whatever it was doing.
#include "graphics/Renderable.h"

class Car;
class Cargo;
class Packet;

class Dock : public Renderable {
public:
    static constexpr i32 NO_COLOUR = 8;

    Dock(Car* owner, i32 wanted);
    ~Dock() override;

    void update(double time, double dt) override;
    void render() override;
    virtual void serialize(Packet* packet);

    void setColour(i32 k);
    bool isEmpty() const { return cargo == nullptr; }
    bool accepts(i32 type) const;
    bool isFilled() const;
    bool isDockedCorrectly() const;
    bool holdsBonus() const;
    bool holdsWrongCargo() const;
    // Lists the dock with the game's picker unless it is correctly filled.
    void registerOpen();
    // The piece rests in the dock at once; a piece it replaces is collected
    // first when the dock is now correctly filled, and deleted in any case.
    void setCargo(Cargo* piece);
    // As setCargo, but the piece glides in.
    void moveCargoIn(Cargo* piece);
    // A piece of the dock's own colour, with a burst of sparks when asked
    // (and detail allows).
    void fillWithColour(bool effects);
    // The placement rules for a flying piece; true when the dock used it.
    bool receiveCargo(Cargo* piece);
    // The back edge on the track where the car rides now.
    float backEdge() const;
    // Open with its back edge past its track's tunnel mark: such a dock
    // loses the level.
    bool isOpenPastTheMark() const;
    // The bounding-circle centre in the world.
    V3 centre() const { return boundsCenter; }

    Car* car;
    bool hidden = false;
    float lambda = 0.0f;
    float lambdaBack = 0.0f;
    i32 colour = NO_COLOUR;
    Cargo* cargo = nullptr;
    Renderable icon;

private:
    // Puts the piece in, collecting or deleting what was there.
    void replaceCargo(Cargo* piece, bool glide);
    void showIcon(double time);
    // A wrong piece or a bonus the claw touches goes with the claw.
    void offerToClaw();
    void placeIcon();
};
