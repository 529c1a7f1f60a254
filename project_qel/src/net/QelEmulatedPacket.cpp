#include "net/QelEmulatedPacket.h"

#include <cstring>

QelEmulatedPacket::QelEmulatedPacket(const NetAddress& sender, const NetAddress& receiver, const u8* bytes,
                                     int count)
    : from(sender), to(receiver), data(new u8[count > 0 ? count : 1]), length(count > 0 ? count : 0)
{
    if (length > 0) {
        std::memcpy(data.get(), bytes, static_cast<size_t>(length));
    }
}
