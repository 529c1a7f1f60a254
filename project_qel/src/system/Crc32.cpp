#include "system/Crc32.h"

#include <array>

namespace {

constexpr std::array<u32, 256> makeTable()
{
    std::array<u32, 256> table{};
    for (u32 n = 0; n < 256; ++n) {
        u32 c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        }
        table[n] = c;
    }
    return table;
}

constexpr std::array<u32, 256> crcTable = makeTable();
static_assert(crcTable[1] == 0x77073096u && crcTable[255] == 0x2D02EF8Du);

} // namespace

u32 crc32(const u8* bytes, i32 length)
{
    if (length <= 0) {
        return 0;
    }
    u32 r = 0xFFFFFFFFu;
    for (i32 i = 0; i < length; ++i) {
        r = (r >> 8) ^ crcTable[(r ^ bytes[i]) & 0xFF];
    }
    return ~r;
}
