#pragma once
// A stretch of a track that the scenery covers (a bridge, a tunnel through
// a hill): cars and docks inside it hide. The stretch kept is 5 units
// shorter at each end than the one given, so a car half way in still shows.
#include "object/QelBase.h"

class TrackHiddenSpan : public QelBase {
public:
    TrackHiddenSpan(float start, float end) : startLambda(start + 5.0f), endLambda(end - 5.0f) {}
    ~TrackHiddenSpan() override = default;

    // From startLambda (hidden) up to endLambda (shown again).
    bool covers(float lambda) const { return startLambda <= lambda && lambda < endLambda; }

    float startLambda;
    float endLambda;
};
