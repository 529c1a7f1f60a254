#include "global/Random.h"

#include <cstdlib>

u32 random32()
{
    u32 value = 0;
    for (int bit = 0; bit < 32; ++bit) {
        value = value << 1 | u32(std::rand() % 2);
    }
    return value;
}

UColor randomColour()
{
    const int mask = std::rand() % 6 + 1;
    u8 channels[3] = {};
    for (int i = 0; i < 3; ++i) {
        channels[i] = (mask & (1 << i)) != 0 ? u8(255) : u8((std::rand() % 5) * 32);
    }
    return UColor(channels[0], channels[1], channels[2], 255);
}
