#include "net/QelNetwork.h"

#include <cstring>

#include "engine/Settings.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "net/QelEmulatedPacket.h"

QEL_IMPLEMENT_RUNTIME_CLASS(QelNetwork, QEL_NO_PARENT, QEL_NO_CREATOR);

namespace {

bool sameEndpoint(const NetAddress& a, const NetAddress& b)
{
    return a.getIP() == b.getIP() && a.getPort() == b.getPort();
}

} // namespace

QelNetwork::QelNetwork()
{
    QEL_LOG("Starting...");
    bEmulateLocalhost = readSettingBool("QelNetwork", "bEmulateLocalhost", true) ? 1 : 0;
    QEL_LOG("Done.");
}

QelNetwork::~QelNetwork()
{
    QEL_LOG("Cleaning up...");
    emulatedPackets.clear();
    QEL_LOG("Done.");
}

u16 QelNetwork::allocatePort()
{
    return nextPort++;
}

void QelNetwork::sendEmulated(const NetAddress& from, const NetAddress& to, const u8* data, int length)
{
    emulatedPackets.addChildBack(new QelEmulatedPacket(from, to, data, length));
}

bool QelNetwork::receiveEmulated(NetAddress* from, const NetAddress& receiver, u8* buffer, int capacity,
                                 int* length)
{
    for (BasicLink* node = emulatedPackets.firstChild; node != nullptr;) {
        BasicLink* following = node->next;
        auto* packet = static_cast<QelEmulatedPacket*>(node);
        if (!node->bDead && !node->bSkip && sameEndpoint(packet->to, receiver)) {
            bool fits = packet->length <= capacity;
            if (fits) {
                *from = packet->from;
                *length = packet->length;
                std::memcpy(buffer, packet->data.get(), static_cast<size_t>(packet->length));
            } else {
                QEL_LOG("Dropped a datagram of %d bytes for %s.", packet->length, receiver.toString().c_str());
            }
            packet->deleteMe();
            if (fits) {
                return true;
            }
        }
        node = following;
    }
    return false;
}

void QelNetwork::flushEmulatedPackets(const NetAddress& sender)
{
    for (BasicLink* node = emulatedPackets.firstChild; node != nullptr;) {
        BasicLink* following = node->next;
        auto* packet = static_cast<QelEmulatedPacket*>(node);
        if (!node->bDead && !node->bSkip && sameEndpoint(packet->from, sender)) {
            packet->deleteMe();
        }
        node = following;
    }
    QEL_LOG("Flushed packets for %s, queue length is now %d.", sender.toString().c_str(),
            static_cast<int>(emulatedPackets.countChildren()));
}

UString QelNetwork::getErrorString(int error)
{
    return std::strerror(error);
}
