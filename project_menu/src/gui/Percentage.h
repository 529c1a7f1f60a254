#pragma once
// A horizontal progress bar: a background frame and a fill frame of one
// image, the fill cut to the value from its left edge without stretching.
#include "graphics/Renderable.h"

class Quad;
class Texture;

class Percentage : public Renderable {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // A negative backgroundFrame draws no background.
    Percentage(Texture* texture, int backgroundFrame, int fillFrame);
    ~Percentage() override = default;

    // Shows the part v (clamped to 0..1) of the fill; value keeps v.
    void setValue(float v);
    void render() override;
    // The fill follows every move, turn and scale of the bar.
    void updateXform() override;

    Texture* texture = nullptr;
    int fillFrame = 0;
    float value = 0.0f;
    Renderable fill;

private:
    Quad* fillQuad = nullptr;
};
