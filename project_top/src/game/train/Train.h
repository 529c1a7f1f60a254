#pragma once
// One train on a track: an engine and the cars coupled on behind it as it
// comes in, held in one or more segments (runs of coupled cars that move as
// one body). With one segment the train is driven toward the tunnel; after
// a completed car split it, the front segment is pulled back until it
// touches the next, and a touch of equal colours across the joint clears
// both cars there, which can split and rejoin the train again: a combo.
//
// States: 1 entering (pushed hard until the sprint mark), 2 running, 3
// complete (every dock it was to bring is filled; it leaves with the exit
// force), 4 stopped (the level is lost; its cars score nothing). The train
// also plays its engine while entering and offers flying pieces to its
// cars, catching at most one piece a frame.
//
// Save record: the state part, the push (4 raw bytes), the dock target,
// the docks created and the combo, the number of segments, then each
// segment's record. Reading refuses, through the packet's error state, a
// state outside 1 to 4 (a pending state outside 0 to 4), times or a push
// that are not finite, and more than MAX_SEGMENTS segments. What was read
// before a refusal belongs to the train and is deleted with it.
#include "math/V3.h"
#include "object/QelBase.h"

class Packet;
class SoundChannel;
class Track;
class TrainSegment;
class Cargo;

class Train : public QelBase {
public:
    enum State {
        STATE_ENTERING = 1,
        STATE_RUNNING = 2,
        STATE_COMPLETE = 3,
        STATE_STOPPED = 4,
    };
    static constexpr float ENTRY_PUSH = 6000.0f;
    static constexpr i32 MAX_SEGMENTS = 64;

    // Without a packet a new train: one segment holding the engine, state
    // 1. With one, the train as the packet holds it.
    explicit Train(Packet* packet);
    ~Train() override;

    void update(double time, double dt) override;
    virtual void serialize(Packet* packet);

    // Links the segment right after `after`, or at the end when null.
    void addSegment(TrainSegment* segment, TrainSegment* after);
    float getFrontLambda() const;
    float getRearLambda() const;
    // The front of the engine; a new train is put at the create mark.
    void setFrontLambda(float lambda);
    int countOpenDocks() const;
    // Whether one of its open docks lies past the tunnel mark, where it
    // loses the level.
    bool hasOpenDockPastTheMark() const;
    void registerDocks();
    void stop();

    void spawnCars();
    void applyDrive();
    void joinSegments();
    void offerCargo();

    TrainSegment* firstSegment() const;
    TrainSegment* lastSegment() const;

    Track* track = nullptr;
    QelBase* segments;
    float push = 0.0f;
    i32 dockTarget = 0;
    i32 docksCreated = 0;
    i32 combo = 0;
    SoundChannel* engineSound = nullptr;

private:
    void updateEngineSound();
    // The joint of A and B as a match: both cars filled, the combo up, a
    // heart and the points.
    void celebrateMatch(TrainSegment* ahead, TrainSegment* behind, V3 joint);
};
