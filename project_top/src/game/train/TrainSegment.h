#pragma once
// A run of coupled cars of one train that moves as one body along the
// track. Its body is one-dimensional: x is the lambda of the front of its
// first car. Each frame it steps the body with the forces its train gave
// it, then lays the cars out one behind the other, each car a rigid chord
// of the curve whose front sits on the previous car's coupling end. It
// removes finished cars (splitting in two when the car was inside the run)
// and deletes itself once it has no car left.
//
// Save record: the body (80 bytes), the number of cars, then for each car
// its type and its own record. Reading refuses, through the packet's error
// state, more than MAX_CARS cars and car types outside 0 to 3; cars read
// before a refusal stay in the segment.
#include "game/physics/PhysicsTrain.h"
#include "object/QelBase.h"

class Car;
class Cargo;
class Packet;
class Train;

class TrainSegment : public QelBase {
public:
    static constexpr i32 MAX_CARS = 512;

    TrainSegment();
    ~TrainSegment() override = default;

    void update(double time, double dt) override;
    virtual void serialize(Packet* packet);

    // A new car gets its shadow and is counted by the game; a car moved
    // from another segment is only appended.
    void addCar(Car* car, bool isNew);
    float getFrontLambda() const;
    float getRearLambda() const;
    // The lambda ranges of the two runs meet.
    static bool overlaps(const TrainSegment* a, const TrainSegment* b);
    int countOpenDocks() const;
    void registerDocks();
    // True at the first car that takes the piece.
    bool offerCargo(Cargo* piece);
    // Removes the first finished car, if any: complete, past the end of
    // the track, or an engine that is not at the front.
    void checkCars();
    void removeCar(Car* car);
    void layoutCars();

    Car* firstCar() const;
    Car* lastCar() const;

    PhysicsTrain body;
    QelBase* cars;
    Train* train = nullptr;
};
