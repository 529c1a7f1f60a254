#pragma once
// The comic-strip speech bubble behind the mascot's words: the bubble image
// stretched to any size, its rounded corners and its tail (bottom right)
// keeping their size.
#include "graphics/Renderable.h"

class SpeechBubble : public Renderable {
public:
    // "speechBubble:0" must be registered.
    SpeechBubble(float width, float height);
    ~SpeechBubble() override = default;

    // The colour of the words written in a bubble.
    static constexpr UColor INK{96, 109, 128, 255};
};
