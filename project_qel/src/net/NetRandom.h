#pragma once
// The random source of the replicated world: the 32-bit Mersenne Twister
// MT19937 with its standard seeding, recurrence and tempering. Sources
// seeded alike and drawn from in the same order give the same numbers, so
// peers draw alike without sending the numbers.
#include "system/QelTypes.h"

class NetRandom {
public:
    static constexpr int N = 624;
    static constexpr u32 DEFAULT_SEED = 5489;

    NetRandom() = default;

    void seed(u32 value);
    // The next output; a source never seeded starts from the default seed.
    u32 next();
    // next() modulo n; 0 without drawing when n is 0.
    u32 getI(u32 n);
    // fmod(range * next() / 4294967295.0, range) rounded to float; 0.0
    // without drawing when range is 0.0. Never range itself: a value that
    // rounds up to it gives the float next to it towards zero.
    float getF(float range);
    // Draws must happen in code that runs on every side alike: under a
    // replication role both getI and getF are fatal unless the role runs
    // code on the server and on the client at once. Without a role this
    // side is the only one, so every draw qualifies.

    u32 mt[N] = {};
    // N: the words must be regenerated first; N + 1: never seeded.
    int mti = N + 1;

private:
    void regenerate();
};
