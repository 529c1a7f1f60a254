#include "global/Random.h"

#include "math/RandomSource.h"

u32 random32()
{
    u32 value = 0;
    for (int bit = 0; bit < 32; ++bit) {
        value = value << 1 | u32(RandomSource::below(2));
    }
    return value;
}

UColor randomColour()
{
    const int mask = RandomSource::below(6) + 1;
    u8 channels[3] = {};
    for (int i = 0; i < 3; ++i) {
        channels[i] = (mask & (1 << i)) != 0 ? u8(255) : u8(RandomSource::below(5) * 32);
    }
    return UColor(channels[0], channels[1], channels[2], 255);
}
