#pragma once
// One rail line of a level: a path measured by arc length from a point off
// screen through the scene into a tunnel, with the marks along it (lambdas,
// distances from the path's start) that drive the rules: where trains
// appear, where their entry push ends, when the next train is called,
// where danger begins, where the tunnel swallows a train and where its cars
// are removed. The track owns its trains (oldest, frontmost first), asks
// the game for a new one when the last has gone far enough, merges a train
// into the one ahead when they touch, and keeps one lag table per car
// length so that cars ride the curve as rigid chords.
//
// A level sets createLambda, tunnelLambda and helpLambda, adds hidden
// spans, lays the path and calls init(), which derives the other marks and
// stops the program on marks that make no sense. Only the trains are saved;
// the level rebuilds everything else before a load.
//
// Save record: the number of trains (signed variable-length), then each
// train's record. Reading refuses, through the packet's error state, more
// than MAX_TRAINS trains; trains read before a refusal stay on the track
// and are deleted with it. A train read with an open dock whose back edge
// already lies past the tunnel mark (where that dock would lose the level)
// is stopped.
#include <unordered_map>

#include "game/track/Ladder.h"
#include "game/track/SplineLambda.h"
#include "object/QelBase.h"

class Packet;
class SplineLagInfo;
class Train;

class Track : public QelBase {
public:
    static constexpr i32 MAX_TRAINS = 64;

    Track();
    ~Track() override;

    // Checks and derives the marks, builds the path's tables and the rails.
    virtual void init();
    // Writes or reads the trains, by the packet's direction.
    virtual void serialize(Packet* packet);
    // Lag tables on the first call, a train request, the trains, merging.
    void update(double time, double dt) override;
    // The debug view only (bit 8 of the debug level): rails, path, labels.
    void render() override;

    void addTrain(Train* train);
    // Made and built on first use; keys compare as exact floats.
    SplineLagInfo* getLagInfo(float length);
    float getLag(float length, float lambda);
    // Past the tunnel mark, or inside a hidden span.
    bool isHidden(float lambda) const;
    // How far the frontmost train with open docks has come from the
    // create mark toward the tunnel, 0 to 1; 0 when none has open docks.
    float getDangerProgress() const;
    void registerDocks();
    void stopTrains();
    void addHiddenSpan(float start, float end);

    float createLambda = -1.0f;
    float destroyLambda = -1.0f;
    float sprintLambda = -1.0f;
    float refillLambda = -1.0f;
    float tunnelLambda = -1.0f;
    float dangerLambda = -1.0f;
    float helpLambda = -1.0f;
    float resistanceLambda = -1.0f;
    SplineLambda spline;
    QelBase hiddenSpans;
    Ladder ladder;
    QelBase* trains;
    std::unordered_map<float, SplineLagInfo*> lagInfos;
    float probeLambda = 1000.0f;

private:
    void mergeTouchingTrains();
    void renderLabels();
};

