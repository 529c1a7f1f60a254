#include "net/NetRandom.h"

#include <cmath>

#include "engine/QelAssert.h"
#include "net/NetRole.h"

void NetRandom::seed(u32 value)
{
    mt[0] = value;
    for (int i = 1; i < N; ++i) {
        mt[i] = 1812433253u * (mt[i - 1] ^ (mt[i - 1] >> 30)) + static_cast<u32>(i);
    }
    mti = N;
}

void NetRandom::regenerate()
{
    constexpr int M = 397;
    constexpr u32 upper = 0x80000000u;
    constexpr u32 lower = 0x7FFFFFFFu;
    constexpr u32 matrix = 0x9908B0DFu;
    for (int i = 0; i < N; ++i) {
        u32 y = (mt[i] & upper) | (mt[(i + 1) % N] & lower);
        mt[i] = mt[(i + M) % N] ^ (y >> 1) ^ ((y & 1) != 0 ? matrix : 0u);
    }
    mti = 0;
}

u32 NetRandom::next()
{
    if (mti == N + 1) {
        seed(DEFAULT_SEED);
    }
    if (mti >= N) {
        regenerate();
    }
    u32 y = mt[mti++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

namespace {

void checkEverySide(const char* function)
{
    NetRole* role = NetRole::current();
    if (role != nullptr && !(role->bExecutesOnServer && role->bExecutesOnClient)) {
        ::qelAssertFailed("THEROLE->bExecutesOnServer && THEROLE->bExecutesOnClient", function, __FILE__, __LINE__);
    }
}

} // namespace

u32 NetRandom::getI(u32 n)
{
    checkEverySide(__func__);
    if (n == 0) {
        return 0;
    }
    return next() % n;
}

float NetRandom::getF(float range)
{
    checkEverySide(__func__);
    if (range == 0.0f) {
        return 0.0f;
    }
    double r = next();
    float f = static_cast<float>(std::fmod(static_cast<double>(range) * r / 4294967295.0, static_cast<double>(range)));
    return f == range ? std::nextafter(range, 0.0f) : f;
}
