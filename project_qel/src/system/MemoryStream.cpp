#include "system/MemoryStream.h"

#include <algorithm>
#include <cstring>

MemoryStream::MemoryStream(int bytes)
    : data(new u8[bytes > 0 ? bytes : 1])
{
    size = bytes > 0 ? bytes : 0;
}

int MemoryStream::read(void* buffer, int count)
{
    int available = std::min(count, size - position);
    if (available <= 0) {
        return 0;
    }
    std::memcpy(buffer, data.get() + position, static_cast<size_t>(available));
    position += available;
    return available;
}
