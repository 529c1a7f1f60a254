#pragma once
// Random values of the per-user records.
#include "system/QelTypes.h"

// A 32-bit value from 32 random draws: each draw gives one bit (its
// value modulo 2), the first draw the most significant bit.
u32 random32();

#include "math/UColor.h"

// An opaque colour with at least one full channel and at least one that is
// not: a random pick of which channels are full, the others a random step
// of 32 from 0 to 128.
UColor randomColour();
