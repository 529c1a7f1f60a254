#pragma once
// Helpers for byte-exact packet tests: the bytes a packet holds, and a
// packet to read made from given bytes.
#include <memory>
#include <vector>

#include "net/Packet.h"

using Bytes = std::vector<u8>;

// The data of a packet being written.
inline Bytes packetBytes(const Packet& packet)
{
    return Bytes(packet.buffer, packet.buffer + packet.getDataSize());
}

// A packet of the given kind filled with bytes and rewound for reading.
template <class P = Packet>
std::unique_ptr<P> readerFor(const Bytes& bytes, u32 flags = Packet::NETWORK_FLAGS)
{
    auto packet = std::make_unique<P>(flags, static_cast<int>(bytes.size()));
    Bytes copy = bytes;
    packet->doBytes(copy.data(), static_cast<int>(copy.size()));
    packet->rewindToRead();
    return packet;
}
