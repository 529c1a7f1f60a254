#pragma once
// One datagram queued between two emulated localhost endpoints.
#include <memory>

#include "net/NetAddress.h"
#include "object/QelBase.h"

class QelEmulatedPacket : public QelBase {
public:
    QelEmulatedPacket(const NetAddress& sender, const NetAddress& receiver, const u8* bytes, int count);

    NetAddress from;
    NetAddress to;
    std::unique_ptr<u8[]> data;
    i32 length = 0;
};
