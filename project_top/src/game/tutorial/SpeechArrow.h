#pragma once
// A tutorial hint: a small bubble with a text, standing on an arrow head
// whose tip touches the thing to click. Near the top edge of the view the
// head turns upside down and the bubble hangs below it, so that the hint
// stays in view. An empty text hides the whole hint. The hint does not move
// by itself: it stays where the last setTarget put it.
#include "graphics/Renderable.h"
#include "system/UString.h"

class StretchSkin;

class SpeechArrow : public Renderable {
public:
    // "speechArrow:0" and "speechArrow:1" must be registered.
    SpeechArrow();
    ~SpeechArrow() override = default;

    // Bubble, head, then the text in a darker shade of the bubble's colour.
    void render() override;

    // The bubble fits the text in the medium font with 8 units around it.
    void setText(const UString& newText);
    // Of the bubble and the head.
    void setColor(UColor colour);
    // Points the head's tip at the point.
    virtual void setTarget(float x, float y, float z);

    // Targets above this distance below the top edge get the flipped head.
    static constexpr int TOP_MARGIN = 64;
    // How far the bubble overlaps the head.
    static constexpr float OVERLAP = 4.0f;

    Renderable head;
    UString text;

private:
    StretchSkin* bubble;
};
