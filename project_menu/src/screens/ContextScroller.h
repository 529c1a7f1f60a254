#pragma once
// Rising lines of text: every line added before the scroller runs moves up
// at a steady speed, fades in over a band above the bottom of the view and
// out under its top, and is deleted once well past the top. Lines are
// stacked downward from the bottom edge, so the first added enters first.
// Not a screen of the stack: a screen owns it as a child.
#include "engine/Context.h"
#include "system/UString.h"

class ContextScroller : public Context {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    ContextScroller();
    ~ContextScroller() override = default;

    // Ticks the lines, then moves, fades and retires them.
    void tickContents(double time, double dt) override;

    // A large white line, centred.
    void addTitleLine(const UString& text);
    // A line at nextLineY + dy in the medium font, without moving nextLineY:
    // blank when both texts are empty, the left text centred when the right
    // one is, else two columns either side of the centre line.
    void addTwoColumnLine(const UString& left, const UString& right, float dy, UColor colour);
    // A black two-column line, then the next line's place below it.
    void addLine(const UString& left, const UString& right);
    // The game's name, the rights notice and everyone who made the game.
    void addCredits();

    // Alpha of a line at height y in a view from bottom to top: rising over
    // 40 to 100 units above the bottom, falling over the last 50 below the
    // top, clamped to 0..1.
    static float fadeAt(float y, float top, float bottom);

    // The parent of every line.
    QelBase* lineHolder = nullptr;
    V3 velocity{0.0f, 30.0f, 0.0f};
    float nextLineY = 0.0f;
};
