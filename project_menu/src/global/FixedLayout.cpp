#include "global/FixedLayout.h"

#include <cstring>
#include <limits>

#include "engine/QelAssert.h"

u8* FixedLayout::field(int offset, int width) const
{
    QEL_ASSERT(offset >= 0 && width >= 0 && offset <= size - width);
    return bytes + offset;
}

void FixedLayout::doBytes(int offset, void* value, int width)
{
    u8* place = field(offset, width);
    if (writing) {
        std::memcpy(place, value, size_t(width));
    } else {
        std::memcpy(value, place, size_t(width));
    }
}

void FixedLayout::doU32(int offset, u32& value)
{
    u8* place = field(offset, 4);
    if (writing) {
        for (int i = 0; i < 4; ++i) {
            place[i] = u8(value >> (8 * i));
        }
    } else {
        value = u32(place[0]) | u32(place[1]) << 8 | u32(place[2]) << 16 | u32(place[3]) << 24;
    }
}

void FixedLayout::doI32(int offset, i32& value)
{
    u32 bits = u32(value);
    doU32(offset, bits);
    value = i32(bits);
}

void FixedLayout::doI64(int offset, i64& value)
{
    u32 low = u32(u64(value));
    u32 high = u32(u64(value) >> 32);
    doU32(offset, low);
    doU32(offset + 4, high);
    value = i64(u64(high) << 32 | low);
}

void FixedLayout::doFloat(int offset, float& value)
{
    static_assert(sizeof(float) == sizeof(u32) && std::numeric_limits<float>::is_iec559);
    u32 bits;
    std::memcpy(&bits, &value, sizeof(bits));
    doU32(offset, bits);
    std::memcpy(&value, &bits, sizeof(bits));
}

void FixedLayout::doBool(int offset, bool& value)
{
    u8* place = field(offset, 1);
    if (writing) {
        *place = value ? 1 : 0;
    } else {
        value = *place != 0;
    }
}

void FixedLayout::doV3(int offset, V3& value)
{
    doFloat(offset, value.x);
    doFloat(offset + 4, value.y);
    doFloat(offset + 8, value.z);
}

FixedLayout FixedLayout::at(int offset, int width) const
{
    return FixedLayout(field(offset, width), width, writing);
}

void terminateWithin(char* text, int width)
{
    if (width > 0 && std::memchr(text, 0, size_t(width)) == nullptr) {
        text[width - 1] = 0;
    }
}

void copyName(char* field, int width, const UString& text)
{
    size_t length = strnlen(text.c_str(), size_t(width - 1));
    std::memcpy(field, text.c_str(), length);
    field[length] = 0;
}

i32 saturatingAdd(i32 a, i32 b)
{
    i64 sum = i64(a) + i64(b);
    if (sum > std::numeric_limits<i32>::max()) {
        return std::numeric_limits<i32>::max();
    }
    if (sum < std::numeric_limits<i32>::min()) {
        return std::numeric_limits<i32>::min();
    }
    return i32(sum);
}
