#pragma once
// The rails of a track as one textured strip along its path, a pair of
// vertices every 12 units of lambda, the image "ladder" repeating along it.
// Only the track's debug view draws it: in play the rails are part of the
// scene picture.
#include "graphics/Renderable.h"

class SplineLambda;

class Ladder : public Renderable {
public:
    static constexpr float RUNG_SPACING = 12.0f;

    // Takes a strip skin of its own on the image "ladder".
    Ladder();
    ~Ladder() override = default;

    // Rebuilds the strip from lambda 0 to length (below 0 counts as 0);
    // the last pair of vertices lies at length.
    void build(const SplineLambda& path, float length);
};
