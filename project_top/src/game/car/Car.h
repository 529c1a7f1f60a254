#pragma once
// One vehicle of a train: the engine at the head, or a car with one, two or
// three docks that want the player's cargo. Its segment lays it out along
// the track every frame as a chord from its front to its body's rear, with
// a coupling behind it to the next car, and removes it once it is finished.
// It offers flying pieces to its docks, reports when all of them are
// correctly filled, and draws itself, its docks, its drop shadow and its
// coupling in depth order, never through the object tree.
//
// Save record: bodyLength, bodyInset, couplingLength and the three lambdas
// as raw 4-byte floats, the engine flag, then each dock's record. The type
// is written by the segment before it, and reading relies on the type's
// constructor having made the same docks. Reading refuses, through the
// packet's error state and leaving the car as it was, an engine flag or
// body or coupling length other than the type's own and values that are
// not finite (each length would otherwise need a lag table of its own).
#include "game/depth/RenderableDepth.h"

class Cargo;
class CarShadow;
class Packet;
class Track;
class TrainSegment;

class Car : public RenderableDepth {
public:
    static constexpr i32 TYPE_COUNT = 4;

    // A new car of type 0 (engine) to 3; any other type is fatal.
    static Car* createByType(i32 type);
    static bool isCarType(i32 type) { return type >= 0 && type < TYPE_COUNT; }

    ~Car() override;

    void update(double time, double dt) override;
    // The sprite's transform; the docks ride on it and the shadow follows
    // it along the light.
    void updateXform() override;
    // Nothing while hidden; else the car and its docks.
    void renderDepth() override;
    virtual void createShadow();
    virtual bool isComplete() const;
    // The leaving effect, just before the segment deletes the car.
    virtual void checkFilled();
    virtual void serialize(Packet* packet);

    // The car's depth, and its shadow's 5 farther.
    void setDepth(float z);
    // The coupling at the middle of its chord (only while detail is on).
    void placeShadow(V3 position, float angle);
    i32 getDockPoints() const;
    int countDocks() const;
    bool offerCargo(Cargo* piece);
    int countOpenDocks() const;
    void registerDocks();
    void fillOpenDocks(bool effects);
    bool hasWrongCargo() const;
    // The track of the car's train, or null while it has none.
    Track* getTrack() const;
    // The middle of the body's chord, where the car rides.
    float middleLambda() const { return (frontLambda + bodyRearLambda) * 0.5f; }
    // The car just behind this one in its segment, or null.
    Car* nextCar() const;
    Car* previousCar() const;

    float bodyLength = 0.0f;
    float bodyInset = 24.0f;
    float couplingLength = 28.0f;
    float frontLambda = 0.0f;
    float bodyRearLambda = 0.0f;
    float rearLambda = 0.0f;
    bool isEngine = false;
    i32 carType = 4;
    TrainSegment* segment = nullptr;
    CarShadow* shadow = nullptr;
    QelBase dockHolder;

protected:
    // The sprite "car:<type>" and the body length from it.
    explicit Car(i32 type);
    // The docks at these offsets along the car, front first: the first in
    // a colour of the picker's, each further one in the same colour unless
    // a fresh-colour draw says otherwise.
    void addDocks(std::initializer_list<float> offsets);
};
