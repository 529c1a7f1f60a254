#pragma once
// Every random choice of what the player is given and what the trains ask
// for: the colours new docks want, the next car type, the bonus the timer
// drops, the colour the launcher loads next. Beside that, rebuilt every
// frame, the docks that still need a piece, with counts per wanted colour
// and, per colour, how near its most urgent dock is to its track's help
// mark.
//
// Colours are 0 to 7 (red, orange, yellow, green, cyan, blue, purple,
// white) and cargo types 0 to 18, the numbering of the cargo factory. An
// empty list gives colour 0 or no dock, never an error. The dock list holds
// plain pointers, valid only for the frame in which it was rebuilt.
#include <vector>

#include "system/QelTypes.h"

class Cargo;
class Dock;

class CargoPicker {
public:
    static constexpr int COLOURS = 8;
    static constexpr int CARGO_TYPES = 19;
    static constexpr int CAR_TYPES = 4;
    // The forced type that forces nothing.
    static constexpr i32 NO_TYPE = 19;
    static constexpr float NO_DISTANCE = 1e6f;

    CargoPicker() { reset(); }

    // Everything as new: no colour, no weight, no forced type, no dock.
    void reset();
    void clearOpenDocks();
    // Enables colour i when bit i of the mask is set, i = 0 to 7.
    void setColours(u32 mask);

    // Uniform over the enabled colours; at least one must be enabled.
    i32 randomEnabledColour();
    // By the car type weights; 0 when no weight is positive.
    i32 pickCarType();
    bool hasTypeWeights() const;
    // The forced type while its count lasts (drawing nothing), then by
    // the type weights; 0 when no weight is positive.
    i32 pickCargoType();
    // Any open dock, or null.
    Dock* randomOpenDock();
    // A colour some open dock wants: in proportion to its number of open
    // docks (weighted) or alike for every wanted colour; 0 when none.
    i32 pickOpenColour(bool weighted);
    // The colour whose open dock is nearest its help mark; 0 when none.
    i32 nearestColour() const;
    bool isColourOpen(i32 colour) const;
    // Lists the dock unless it is correctly filled, counts its colour and
    // keeps its colour's distance to its track's help mark when nearer.
    void registerDock(Dock* dock);
    // Takes a dock that is going away off the list (and its count), so
    // that nothing later in the frame reaches it.
    void forgetDock(Dock* dock);
    // The first listed dock that is empty and takes the piece; null when
    // none (a fireball or a bonus fits no dock here).
    Dock* findEmptyDockFor(const Cargo* piece) const;
    // The first listed dock holding a piece that is no bonus and does not
    // fit it.
    Dock* findDockHoldingWrongPiece() const;
    Dock* findDockHoldingBonus() const;

    bool colourEnabled[COLOURS];
    float typeWeights[CARGO_TYPES];
    i32 forcedType;
    i32 forcedCount;
    float carTypeWeights[CAR_TYPES];
    std::vector<Dock*> openDocks;
    i32 openCount[COLOURS];
    float nearestDistance[COLOURS];

private:
    // The first index whose running sum of weights exceeds the sum times
    // a fresh fraction; 0 when none does.
    static i32 pickWeighted(const float* weights, int n);
};
