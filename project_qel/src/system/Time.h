#pragma once
// Calendar time: seconds since 1970-01-01 00:00 UTC.
#include "system/UString.h"

class Time {
public:
    Time() = default;
    explicit Time(i64 secondsSinceEpoch) : seconds(secondsSinceEpoch) {}
    Time(u32 low, u32 high) : seconds(static_cast<i64>((u64(high) << 32) | low)) {}

    static Time now();

    u32 low() const { return static_cast<u32>(static_cast<u64>(seconds)); }
    u32 high() const { return static_cast<u32>(static_cast<u64>(seconds) >> 32); }

    i64 seconds = 0;
};

// The time in UTC as "%Y-%m-%d %H.%M.%S"; empty when the system cannot
// break the time down (far outside the calendar's range).
UString formatTimestamp(const Time& time);
