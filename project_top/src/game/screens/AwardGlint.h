#pragma once
// A sparkle beside a won award: the flare swells from nothing to three
// times its size in half a second while it turns, shrinks back and is gone
// after one second.
#include "graphics/Renderable.h"

class AwardGlint : public Renderable {
public:
    AwardGlint(float x, float y, float z);
    ~AwardGlint() override = default;

    void update(double time, double dt) override;
};
