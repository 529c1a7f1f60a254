#include "net/Node.h"

#include <algorithm>
#include <cstdlib>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "net/NetConnection.h"
#include "net/NetHost.h"
#include "net/Packet.h"
#include "system/StringUtils.h"

namespace {

Packet* packetAt(BasicLink* link)
{
    return static_cast<Packet*>(link);
}

bool isLive(const BasicLink* link)
{
    return !link->bDead && !link->bSkip;
}

} // namespace

Node::Node(NetHost* owner) : host(owner), nodeUID(drawUID()), lastReceiveTime(NetConnection::now()) {}

Node::~Node() = default;

u32 Node::drawUID()
{
    u32 uid = 0;
    do {
        uid = 0;
        for (int i = 0; i < 32; ++i) {
            uid = (uid << 1) | static_cast<u32>(std::rand() % 2);
        }
    } while (uid == MAGIC);
    return uid;
}

NetStats* Node::currentStats() const
{
    if (host == nullptr || host->connection == nullptr) {
        return nullptr;
    }
    return host->connection->getCurrentStats();
}

void Node::addUnacked(Packet* p)
{
    outQunacked.addChildBack(p);
}

void Node::acknowledge()
{
    double best = 1000000.0;
    double now = NetConnection::now();
    while (outQunacked.firstChild != nullptr && packetAt(outQunacked.firstChild)->sequence <= sequenceAcked) {
        Packet* acked = packetAt(outQunacked.firstChild);
        best = std::min(best, now - acked->time);
        delete acked;
    }
    if (best < 1000000.0) {
        ping = ping * 0.9 + best * 0.1;
    }
}

Packet* Node::findUnacked(int seq) const
{
    for (BasicLink* link = outQunacked.firstChild; link != nullptr; link = link->next) {
        if (isLive(link) && packetAt(link)->sequence == seq) {
            return packetAt(link);
        }
    }
    return nullptr;
}

int Node::nextResendRequest()
{
    if (inQarrived.firstChild == nullptr) {
        return 0;
    }
    i32 expected = sequenceIn + 1;
    i32 firstGap = 0;
    for (BasicLink* link = inQarrived.firstChild; link != nullptr; link = link->next) {
        if (!isLive(link)) {
            continue;
        }
        i32 seq = packetAt(link)->sequence;
        for (; expected < seq; ++expected) {
            if (firstGap == 0) {
                firstGap = expected;
            }
            if (expected > lastResendRequest) {
                lastResendRequest = expected;
                return expected;
            }
        }
        expected = seq + 1;
    }
    lastResendRequest = firstGap;
    return firstGap;
}

void Node::insertSorted(QelBase* queue, Packet* p)
{
    auto* last = packetAt(queue->lastChild);
    if (last == nullptr) {
        queue->addChildBack(p);
        return;
    }
    if (p->sequence == last->sequence) {
        delete p;
        return;
    }
    if (p->sequence > last->sequence) {
        queue->addChildBack(p);
        return;
    }
    BasicLink* before = last->prev;
    for (; before != nullptr; before = before->prev) {
        if (packetAt(before)->sequence == p->sequence) {
            delete p;
            return;
        }
        if (packetAt(before)->sequence < p->sequence) {
            break;
        }
    }
    if (before != nullptr) {
        queue->insertAfter(p, before);
    } else {
        queue->addChildFront(p);
    }
    if (NetStats* stats = currentStats()) {
        NetStats::increase(stats->outOfOrder);
    }
}

void Node::moveContiguous()
{
    while (inQarrived.firstChild != nullptr && packetAt(inQarrived.firstChild)->sequence == sequenceIn + 1) {
        inQcontiguous.addChildBack(inQarrived.firstChild);
        ++sequenceIn;
        lastReceiveTime = NetConnection::now();
    }
}

bool Node::assembleReady()
{
    for (;;) {
        BasicLink* first = inQcontiguous.firstChild;
        if (first == nullptr) {
            return true;
        }
        i64 total = 0;
        int count = 0;
        bool complete = false;
        for (BasicLink* link = first; link != nullptr; link = link->next) {
            total += packetAt(link)->getDataSize();
            ++count;
            if (total > Packet::DEFAULT_CAPACITY) {
                refusal = formatString("grew past %d bytes", Packet::DEFAULT_CAPACITY);
                return false;
            }
            // Empty or tiny pieces would otherwise pile up without end.
            if (count > NetHost::PIECES_MAX) {
                refusal = formatString("came in more than %d pieces", NetHost::PIECES_MAX);
                return false;
            }
            if (!packetAt(link)->bMore) {
                complete = true;
                break;
            }
        }
        if (!complete) {
            return true;
        }
        Packet* payload = nullptr;
        if (count == 1) {
            payload = packetAt(first);
            inQcontiguous.removeChild(payload);
        } else {
            payload = new Packet(Packet::NETWORK_FLAGS, static_cast<int>(total));
            for (int i = 0; i < count; ++i) {
                Packet* piece = packetAt(inQcontiguous.firstChild);
                piece->appendTo(payload);
                delete piece;
            }
            payload->rewindToRead();
        }
        if (host != nullptr) {
            host->inQready.addChildBack(payload);
        } else {
            delete payload;
        }
    }
}

bool Node::processIncoming()
{
    moveContiguous();
    return assembleReady();
}

bool Node::newIncoming(Packet* piece)
{
    if (!(piece->sequence > sequenceIn)) {
        ::qelAssertFailed("p->sequence>sequenceIn", "newIncoming", __FILE__, __LINE__);
    }
    insertSorted(&inQarrived, piece);
    return processIncoming();
}
