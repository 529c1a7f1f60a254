#pragma once
// The screen transition: a black iris with a waved, soft edge that closes
// towards the centre of the view and opens again, one second for a full
// close or open. Other objects drive it through amount and targetAmount.
#include "graphics/Renderable.h"

class RadialFader : public Renderable {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // Vertex pairs around the circle.
    static constexpr int PAIRS = 128;
    // Width of the soft edge and reach beyond the corners of the view.
    static constexpr float EDGE = 32.0f;

    RadialFader();
    ~RadialFader() override = default;

    // Moves amount toward targetAmount by the frame delta.
    void update(double time, double dt) override;
    // The band over the whole logical view, whatever the placement.
    void render() override;

    // Radius of the circle that reaches EDGE beyond the corners of the
    // logical view.
    static float outerRadius(int fovWidth, int fovHeight);
    // Radius of the open part of the view at an amount.
    static float irisRadius(float outer, float amount);

    // 0 open, nothing drawn; 1 closed, all black.
    float amount = 0.0f;
    float targetAmount = 0.0f;
};
