#pragma once
// A score or bonus text that floats up from where it was earned: in the
// large font and a warm white, it grows from a quarter of its size to one
// and a quarter over its one second of life, rises 32 units per second,
// fades out over the last half second and then removes itself.
#include "text/RenderableText.h"

class TextBonus : public RenderableText {
public:
    TextBonus(float x, float y, float z, const UString& text);
    ~TextBonus() override = default;

    void update(double time, double dt) override;
};
