#pragma once
// 32-bit integers in the little-endian byte order of the engine's files,
// whatever the byte order of the machine.
#include "system/QelTypes.h"

inline i32 readLittleEndian32(const u8* bytes)
{
    return static_cast<i32>(u32(bytes[0]) | u32(bytes[1]) << 8 | u32(bytes[2]) << 16 | u32(bytes[3]) << 24);
}

inline void writeLittleEndian32(u8* bytes, i32 value)
{
    u32 bits = static_cast<u32>(value);
    bytes[0] = static_cast<u8>(bits);
    bytes[1] = static_cast<u8>(bits >> 8);
    bytes[2] = static_cast<u8>(bits >> 16);
    bytes[3] = static_cast<u8>(bits >> 24);
}
