#pragma once
// The CRC-32 of IEEE 802.3 and zlib (reflected polynomial 0xEDB88320).
#include "system/QelTypes.h"

// 0 for a length of 0 or less.
u32 crc32(const u8* bytes, i32 length);
