#pragma once
// A renderable that shows one text in a quad font instead of a skin,
// optionally for a limited time: it can wait a start delay, fade in, stay,
// fade out and then remove itself.
#include "graphics/Renderable.h"
#include "system/UString.h"

class FontQuad;

class RenderableText : public Renderable {
public:
    RenderableText(float x, float y, float z, const UString& newText, FontQuad* textFont, UColor textColor);
    ~RenderableText() override = default;

    // The timing and fades; ticks no children.
    void update(double t, double dt) override;
    // Prints the text (with its shadow); no view test.
    void render() override;

    // A new text that lives again from the start.
    void setText(const UString& newText, double newLifeTime, double newDelay);
    // Ends the life early, through the fade-out.
    void fadeOut();

    bool bRemoveWhenDone = true;
    bool bShadowed = true;
    double delay = 0.0;
    double lifeTime = 999999.0;
    double fadeInTime = 0.0;
    double fadeOutTime = 0.0;
    i32 printFlags = 5;
    FontQuad* font = nullptr;
    UString text;
    double elapsed = 0.0;
};
