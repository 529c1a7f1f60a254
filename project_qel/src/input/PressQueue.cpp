#include "input/PressQueue.h"

#include <cstring>

void PressQueue::push(const Press& press)
{
    if (count == CAPACITY) {
        return;
    }
    at(count) = press;
    ++count;
}

std::span<const PressQueue::Press> PressQueue::takeFrame(const u8* before, const u8* raw, u8* shown, int slots)
{
    std::memcpy(shown, raw, static_cast<size_t>(slots));
    for (int i = 0; i < count; ++i) {
        shown[at(i).slot] = 0;
    }
    int takenCount = 0;
    while (count > 0) {
        const Press press = at(0);
        // A slot shown down needs a frame up before its next press.
        if (before[press.slot] || shown[press.slot]) {
            break;
        }
        // A character waits for the next frame when a key taken before it
        // would stand first among this frame's new keys (Shift before B):
        // it would be typed by a key that types nothing.
        if (press.unicode != 0 && takesLowerSlot(takenCount, press.slot)) {
            break;
        }
        shown[press.slot] = 1;
        taken[takenCount++] = press;
        first = (first + 1) % CAPACITY;
        --count;
        if (press.unicode != 0) {
            break;
        }
    }
    return {taken, static_cast<size_t>(takenCount)};
}

bool PressQueue::takesLowerSlot(int takenCount, int slot) const
{
    for (int i = 0; i < takenCount; ++i) {
        if (taken[i].slot < slot) {
            return true;
        }
    }
    return false;
}

void PressQueue::clear()
{
    first = 0;
    count = 0;
}
