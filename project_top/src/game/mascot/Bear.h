#pragma once
// The mascot: a bear at the lower right of the view who waves his hand
// (a bent sprite swinging back and forth twice in a little over three
// seconds, on the clock of the screen that holds him) and blinks at random
// intervals of 0.2 to 2 seconds, his eyes shut for a tenth of a second.
// Hand, body and face are his children, drawn in that order.
#include "object/QelBase.h"

class Renderable;

class Bear : public QelBase {
public:
    // "bear:0" to "bear:2" and "bearHand:bend" must be registered.
    Bear();
    ~Bear() override = default;

    // Children and state clock, then the wave.
    void update(double time, double dt) override;
    // State 1: eyes open until the next blink; state 2: eyes shut.
    void onStateChange() override;

    enum { EYES_OPEN = 1, EYES_SHUT = 2 };

    Renderable* pFace;
    Renderable* pHand;

private:
    void showFace(const char* name);
};
