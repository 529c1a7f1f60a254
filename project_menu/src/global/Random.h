#pragma once
// Random values of the per-user records.
#include "system/QelTypes.h"

// A 32-bit value from 32 calls of rand(): each call gives one bit (its value
// modulo 2), the first call the most significant bit.
u32 random32();
