#include "net/NetStats.h"

#include <algorithm>
#include <limits>

i32 NetStats::* const NetStats::fields[FIELD_COUNT] = {
    &NetStats::packetsOut,     &NetStats::packetsIn, &NetStats::bytesOut,    &NetStats::bytesIn,
    &NetStats::payloadOut,     &NetStats::payloadIn, &NetStats::resendRequests, &NetStats::resends,
    &NetStats::packetsLost,    &NetStats::outOfOrder,
};

NetStats::NetStats(double start) : startTime(start), endTime(start + 1.0) {}

void NetStats::increase(i32& counter, i64 amount)
{
    constexpr i64 largest = std::numeric_limits<i32>::max();
    counter = static_cast<i32>(std::clamp<i64>(i64(counter) + amount, 0, largest));
}

void NetStats::add(const NetStats& other)
{
    for (i32 NetStats::*field : fields) {
        increase(this->*field, other.*field);
    }
    for (int i = 0; i < COMMAND_COUNT; ++i) {
        increase(commandCounts[i], other.commandCounts[i]);
    }
}

i32 NetStats::get(int field) const
{
    return field >= 0 && field < FIELD_COUNT ? this->*fields[field] : 0;
}
