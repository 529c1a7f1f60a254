#pragma once
// The check box of the mascot's dialogs: a small label with a box before it
// in the bubble's ink colour, ticked while the setting behind it is on. The
// box lights up while the pointer is within 20 units of it, and every
// frame in which a mouse button goes down there flips the setting at once.
#include "graphics/Renderable.h"
#include "system/UString.h"

class MenuBoolSpeech : public Renderable {
public:
    // The setting is not owned.
    MenuBoolSpeech(float x, float y, float z, const UString& text, bool* value);
    ~MenuBoolSpeech() override = default;

    // Hover and the click; no children, no state.
    void update(double time, double dt) override;
    // Label, box, and the tick when the setting is on.
    void render() override;

    static constexpr float REACH = 20.0f;

    UString label;
    bool* pValue;
};
