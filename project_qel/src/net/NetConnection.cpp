#include "net/NetConnection.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "graphics/FontQuad.h"
#include "graphics/OutlineDrawing.h"
#include "graphics/VertexBuffer.h"
#include "engine/TimeKeeper.h"
#include "net/QelNetwork.h"

namespace {

constexpr u32 LOCALHOST = 0x7F000001u;
// IPv4 and UDP headers that every datagram carries on the wire.
constexpr int HEADER_BYTES = 28;
constexpr int RECEIVE_BUFFER_SIZE = 0x40000;

// A fatal socket failure of the constructor, reported with the system's text.
#define SOCKET_CHECK(condition, statement)                                                               \
    do {                                                                                                 \
        if (!(condition)) {                                                                              \
            UString reason = QelNetwork::getErrorString(errno);                                          \
            ::qelCheckFailed(reason.c_str(), statement, "NetConnection", __FILE__, __LINE__);            \
        }                                                                                                \
    } while (0)

} // namespace

NetConnection::NetConnection(const NetAddress& bindAddress) : address(bindAddress)
{
    QelNetwork* network = g_qel->network;
    bEmulated = address.getIP() == LOCALHOST && network != nullptr && network->bEmulateLocalhost ? 1 : 0;
    if (bEmulated) {
        address.setPort(network->allocatePort());
        QEL_LOG("Creating emulated localhost connection: %s.", address.toString().c_str());
        bOpen = true;
    } else {
        bOpen = openSocket();
    }
    QEL_LOG("Done.");
}

bool NetConnection::openSocket()
{
    wsaSocket = socket(AF_INET, SOCK_DGRAM, 0);
    SOCKET_CHECK(wsaSocket >= 0, "SOCKET_ERROR");
    int flags = fcntl(wsaSocket, F_GETFL, 0);
    fcntl(wsaSocket, F_SETFL, flags == -1 ? O_NONBLOCK : flags | O_NONBLOCK);
    int receiveBufferSize = RECEIVE_BUFFER_SIZE;
    SOCKET_CHECK(setsockopt(wsaSocket, SOL_SOCKET, SO_RCVBUF, &receiveBufferSize, sizeof(int)) == 0,
                 "setsockopt(wsaSocket, SOL_SOCKET, SO_RCVBUF, (char*) &receiveBufferSize, sizeof(int))");
    int allowBroadcasting = 1;
    SOCKET_CHECK(setsockopt(wsaSocket, SOL_SOCKET, SO_BROADCAST, &allowBroadcasting, sizeof(int)) == 0,
                 "setsockopt(wsaSocket, SOL_SOCKET, SO_BROADCAST, (char*) &allowBroadcasting, sizeof(int))");
    qelLog("NetConnection", formatString("Binding to address: %s.", address.toString().c_str()));
    if (bind(wsaSocket, address.getSockAddr(), NetAddress::sizeofSockAddr) != 0) {
        // A taken port leaves the endpoint closed; the program goes on.
        qelLog("NetConnection", formatString("WARNING: bind() to %s failed with error %s.",
                                             address.toString().c_str(),
                                             QelNetwork::getErrorString(errno).c_str()));
        close(wsaSocket);
        wsaSocket = 0;
        return false;
    }
    socklen_t length = NetAddress::sizeofSockAddr;
    getsockname(wsaSocket, address.getSockAddr(), &length);
    qelLog("NetConnection", formatString("Bound to address: %s.", address.toString().c_str()));
    return true;
}

NetConnection::~NetConnection()
{
    if (bEmulated) {
        if (g_qel->network != nullptr) {
            g_qel->network->flushEmulatedPackets(address);
        }
    } else if (bOpen) {
        close(wsaSocket);
    }
}

double NetConnection::now()
{
    return g_qel != nullptr && g_qel->timeKeeper != nullptr ? g_qel->timeKeeper->getTime() : 0.0;
}

double NetConnection::draw()
{
    return static_cast<double>(std::rand() & 0xFFFF) / 65536.0;
}

Packet* NetConnection::receiveRaw()
{
    if (!bOpen) {
        return nullptr;
    }
    Packet& p = receivePacket;
    p.reset();
    p.bWriting = false;
    p.node = nullptr;
    p.sequence = -1;
    p.bMore = false;
    int count = 0;
    if (bEmulated) {
        if (!g_qel->network->receiveEmulated(&p.address, address, p.buffer, p.capacity, &count)) {
            return nullptr;
        }
    } else {
        socklen_t length = NetAddress::sizeofSockAddr;
        ssize_t received = recvfrom(wsaSocket, p.buffer, static_cast<size_t>(p.capacity), 0,
                                    p.address.getSockAddr(), &length);
        if (received < 0) {
            int error = errno;
            // ECONNREFUSED is the echo of an earlier datagram to a closed port.
            if (error != EAGAIN && error != EWOULDBLOCK && error != ECONNRESET && error != ECONNREFUSED) {
                QEL_LOG("WARNING: recvfrom() failed with error %s.", QelNetwork::getErrorString(error).c_str());
            }
            return nullptr;
        }
        count = static_cast<int>(received);
    }
    p.length = count;
    p.time = now();
    NetStats* stats = getCurrentStats();
    NetStats::increase(stats->packetsIn);
    NetStats::increase(stats->bytesIn, count + HEADER_BYTES);
    NetStats::increase(stats->payloadIn, count);
    return &p;
}

Packet* NetConnection::receive()
{
    for (Packet* p = receiveRaw(); p != nullptr; p = receiveRaw()) {
        double r = draw();
        if (simulatedLoss > r) {
            NetStats::increase(getCurrentStats()->packetsLost);
            return nullptr;
        }
        if (simulatedLatency == 0.0 && simulatedJitter == 0.0) {
            return p;
        }
        Packet* held = p->split(p->getDataSize());
        held->time += simulatedLatency + draw() * simulatedJitter;
        inQsimulated.addChildBack(held);
    }
    double present = now();
    for (BasicLink* link = inQsimulated.firstChild; link != nullptr; link = link->next) {
        auto* held = static_cast<Packet*>(link);
        if (!link->bDead && !link->bSkip && held->time <= present) {
            inQsimulated.removeChild(held);
            return held;
        }
    }
    return nullptr;
}

void NetConnection::releasePacket(Packet* p)
{
    if (p != nullptr && p != &receivePacket) {
        delete p;
    }
}

void NetConnection::sendRaw(Packet* p, const NetAddress& to)
{
    if (!bOpen) {
        return;
    }
    p->time = now();
    i32 size = p->getDataSize();
    if (bEmulated) {
        g_qel->network->sendEmulated(address, to, p->buffer, size);
    } else if (sendto(wsaSocket, p->buffer, static_cast<size_t>(size), 0, to.getSockAddr(),
                      NetAddress::sizeofSockAddr) < 0) {
        QEL_LOG("WARNING: sendto() failed with error %s.", QelNetwork::getErrorString(errno).c_str());
    }
    NetStats* stats = getCurrentStats();
    NetStats::increase(stats->packetsOut);
    NetStats::increase(stats->bytesOut, size + HEADER_BYTES);
    NetStats::increase(stats->payloadOut, size);
}

NetStats* NetConnection::getCurrentStats()
{
    double present = now();
    auto* last = static_cast<NetStats*>(history.lastChild);
    double start = present;
    if (last != nullptr) {
        if (present <= last->endTime) {
            return last;
        }
        totals.add(*last);
        start = last->endTime;
    }
    auto* sample = new NetStats(start);
    history.addChildBack(sample);
    auto* first = static_cast<NetStats*>(history.firstChild);
    if (sample->endTime - historyLength > first->startTime) {
        delete first;
    }
    return sample;
}

void NetConnection::drawGraph(FontQuad* font, float x0, float y0, float x1, float y1, const UString& caption,
                              int field)
{
    std::vector<const NetStats*> samples;
    for (BasicLink* link = history.firstChild; link != nullptr; link = link->next) {
        if (!link->bDead && !link->bSkip) {
            samples.push_back(static_cast<const NetStats*>(link));
        }
    }
    if (samples.size() < 2) {
        return;
    }
    double largest = 0.001;
    for (const NetStats* sample : samples) {
        largest = std::max(largest, static_cast<double>(sample->get(field)));
    }
    double scale = largest * 1.25;
    const UColor yellow(255, 255, 0, 255);
    const float box[4] = {x0, y0, x1, y1};
    drawRectOutline(box, yellow);
    int n = static_cast<int>(samples.size());
    VertexBuffer line(n);
    for (int i = 0; i < n; ++i) {
        float x = x0 + (static_cast<float>(i) / static_cast<float>(n - 1)) * (x1 - x0);
        float y = y1 + static_cast<float>(samples[static_cast<size_t>(i)]->get(field) / scale) * (y0 - y1);
        line.vertices[i] = Vertex{0.0f, 0.0f, yellow, x, y, 0.0f};
    }
    drawWorldVertices(line, VertexBuffer::LINE_STRIP);
    if (font == nullptr) {
        return;
    }
    const UColor white = UColor::fromWord(0xFFFFFFFF);
    const Vertex& beforeLast = line.vertices[n - 2];
    font->printAt(beforeLast.x, beforeLast.y, 0.0f, white, 0x28,
                  formatString("%d", samples[static_cast<size_t>(n - 2)]->get(field)));
    font->printAt(x0, y0, 0.0f, white, 3, formatString("%d", static_cast<int>(largest)));
    font->printAt(x0, y1, 0.0f, white, 0x22, caption);
}
