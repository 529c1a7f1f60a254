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
