#include "system/Crc32.h"

#include <zlib.h>

u32 crc32(const u8* bytes, i32 length)
{
    if (length <= 0) {
        return 0;
    }
    // zlib's is the same CRC, computed several bytes at a time.
    return static_cast<u32>(::crc32(0L, bytes, static_cast<uInt>(length)));
}
