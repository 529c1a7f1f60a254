#pragma once
// One second of a connection's traffic: what went out and came in, what was
// asked for again and sent again, what the simulated loss dropped and what
// arrived out of order. Counters only grow, and stop at the largest 32-bit
// value rather than wrap.
#include "object/QelBase.h"

class NetStats : public QelBase {
public:
    // The ten counters in their order; drawGraph names one by its place.
    enum Field {
        PACKETS_OUT,
        PACKETS_IN,
        BYTES_OUT,
        BYTES_IN,
        PAYLOAD_OUT,
        PAYLOAD_IN,
        RESEND_REQUESTS,
        RESENDS,
        PACKETS_LOST,
        OUT_OF_ORDER,
        FIELD_COUNT
    };
    static constexpr int COMMAND_COUNT = 16;

    explicit NetStats(double start);

    // Adds the other sample's counters into this one; the times stay.
    void add(const NetStats& other);
    // counter += amount, stopping at the largest value.
    static void increase(i32& counter, i64 amount = 1);
    // The counter at a place of Field; 0 for any other place.
    i32 get(int field) const;

    i32 packetsOut = 0;
    i32 packetsIn = 0;
    i32 bytesOut = 0;
    i32 bytesIn = 0;
    i32 payloadOut = 0;
    i32 payloadIn = 0;
    i32 resendRequests = 0;
    i32 resends = 0;
    i32 packetsLost = 0;
    i32 outOfOrder = 0;
    double startTime;
    double endTime;
    i32 commandCounts[COMMAND_COUNT] = {};

private:
    static i32 NetStats::* const fields[FIELD_COUNT];
};
