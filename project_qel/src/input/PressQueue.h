#pragma once
// Presses of keys or buttons, kept in the order they came until the frames
// have shown them, so that no press is lost between two frames:
// - a press released before the next frame is still seen down by exactly
//   one frame and up by the next;
// - two presses of one slot within a frame are shown as two presses, with
//   a frame up between them;
// - a frame takes at most one press that typed a character, so characters
//   typed within one frame reach the frames one by one, in the order typed;
// - a press that typed a character is never shown new beside an earlier
//   press of a lower slot (Shift and B), as the lowest new key is the one
//   that types.
// A slot whose press waits in the queue shows up until its turn. Presses
// beyond the capacity are not queued; their slot shows the state the events
// left, as if the queue were not there.
#include <span>

#include "system/QelTypes.h"

class PressQueue {
public:
    static constexpr int CAPACITY = 32;

    struct Press {
        int slot = 0;
        // The SDL key symbol and the character it typed (0 for none).
        int symbol = 0;
        u16 unicode = 0;
    };

    void push(const Press& press);
    // Makes `shown` this frame's state of `slots` slots from `raw` (the state
    // the events left) and `before` (the previous frame's state), and returns
    // the presses this frame took, in order (valid until the next call).
    std::span<const Press> takeFrame(const u8* before, const u8* raw, u8* shown, int slots);
    void clear();
    int size() const { return count; }

private:
    Press& at(int i) { return presses[(first + i) % CAPACITY]; }
    bool takesLowerSlot(int takenCount, int slot) const;

    Press presses[CAPACITY];
    int first = 0;
    int count = 0;
    Press taken[CAPACITY];
};
