#pragma once
// The award pinned under one rating of the end-of-level page: a ribbon
// with a star, its points and its name in the award's colour, or "NO
// AWARD". It stays hidden until its delay has passed; then it shows, rings
// "bell" (higher for better awards) and adds its points to the current
// player's score, and glints now and then, more often the better it is.
//
// Its points are credited exactly once: an award destroyed before its
// delay passed adds them then, silently.
#include "object/QelBase.h"

class Award : public QelBase {
public:
    enum Kind { BRONZE = 0, SILVER = 1, GOLD = 2, NONE = 3 };

    Award(int kind, float x, float y, float z, double delay);
    ~Award() override;

    // Glints while shown, then the state clock and the children.
    void update(double time, double dt) override;
    // Children only once shown.
    void render() override;
    // Shown: the bell and the points.
    void onStateChange() override;

    // Gold above 0.9, silver above 0.8, bronze above 0.7, else none.
    static int kindOf(float rating);
    static i32 pointsOf(int kind);

    enum { HIDDEN = 0, SHOWN = 1 };

    i32 kind;
    float x;
    float y;
    float z;
    double glintTime = 0.0;
    i32 points;
    bool awarded = false;
};
