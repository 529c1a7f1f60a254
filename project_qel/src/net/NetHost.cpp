#include "net/NetHost.h"

#include <algorithm>
#include <cstdlib>

#include "engine/Console.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "language/Language.h"
#include "net/NetConnection.h"
#include "net/Node.h"

namespace {

// The lowest version of the game a peer may run, as its text.
constexpr const char* MIN_VERSION = "0.00";

bool isLive(const BasicLink* link)
{
    return !link->bDead && !link->bSkip;
}

UString localText(Language::StringsEnum id)
{
    return g_qel->language != nullptr ? UString(g_qel->language->getText(id)) : UString();
}

// Fewer than n bytes are left to read.
bool ends(const Packet* p, int n)
{
    return p->hasError() || p->length - (p->cursor - p->buffer) < n;
}

} // namespace

NetHost::NetHost(const UString& game, double gameVersion, const UString& player, int hostMode, bool server)
    : mode(hostMode), isServer(server), gameName(game), version(gameVersion), playerName(player)
{
    QEL_LOG("Creating %s host...", isServer ? "SERVER" : "CLIENT");
}

NetHost::~NetHost()
{
    disconnectAll();
    if (bOwnsConnection) {
        delete connection;
    }
    connection = nullptr;
}

void NetHost::setConnection(NetConnection* endpoint, bool owns)
{
    connection = endpoint;
    bOwnsConnection = owns;
}

bool NetHost::isOpen() const
{
    return connection != nullptr && connection->isOpen();
}

const char* NetHost::sideMark() const
{
    return isServer ? "S      " : "     C ";
}

void NetHost::consoleLine(const UString& message) const
{
    if (g_qel->console != nullptr) {
        g_qel->console->print("%s %s |   %s", sideMark(), "serviceInPacketSpecial", message.c_str());
    } else {
        qelLog("serviceInPacketSpecial", message);
    }
}

void NetHost::drop(const char* function, const Packet* datagram, const char* reason)
{
    qelLog(function, formatString("WARNING: dropped datagram from %s: %s.", datagram->address.toString().c_str(),
                                  reason));
}

void NetHost::service()
{
    if (!isOpen()) {
        return;
    }
    while (Packet* datagram = connection->receive()) {
        serviceDatagram(datagram);
        connection->releasePacket(datagram);
    }
    // Packets of a node removed meanwhile are flagged dead; the walk frees
    // them without handing them on.
    for (BasicLink* link = inQready.firstChild; link != nullptr;) {
        if (isLive(link)) {
            processPacket(static_cast<Packet*>(link));
        }
        BasicLink* following = link->next;
        if (!link->bSkip) {
            delete link;
        }
        link = following;
    }
    double now = NetConnection::now();
    for (BasicLink* link = nodes.firstChild; link != nullptr;) {
        BasicLink* following = link->next;
        auto* node = static_cast<Node*>(link);
        if (isLive(link) && now > node->lastReceiveTime + timeout) {
            removeNode(node, false);
        }
        link = following;
    }
}

void NetHost::serviceDatagram(Packet* datagram)
{
    if (ends(datagram, 4)) {
        drop(__func__, datagram, "shorter than its first word");
        return;
    }
    u32 word = 0;
    datagram->doBytes(&word, 4);
    if (word == MAGIC) {
        serviceInPacketSpecial(datagram);
    } else {
        serviceInPacketNormal(datagram, word);
    }
}

void NetHost::serviceInPacketSpecial(Packet* datagram)
{
    if (ends(datagram, 4)) {
        drop(__func__, datagram, "no command");
        return;
    }
    u32 command = 0;
    datagram->doBytes(&command, 4);
    UString sender = datagram->address.toString();
    switch (command) {
    case CONNECT:
        if (isServer) {
            acceptConnect(datagram);
        }
        break;
    case ACCEPTED:
        if (!isServer) {
            acceptAccepted(datagram);
        }
        break;
    case REFUSED: {
        UString reason;
        datagram->doUString(&reason, -1);
        if (isIntact(datagram)) {
            onConnectionRefused(reason);
        }
        break;
    }
    case DISCONNECT: {
        QEL_LOG("%s: New DISCONNECT notify from %s", isServer ? "SERVER" : "CLIENT", sender.c_str());
        if (ends(datagram, 4)) {
            drop(__func__, datagram, "disconnect without a UID");
            return;
        }
        u32 uid = 0;
        datagram->doBytes(&uid, 4);
        if (Node* node = findNode(uid, &datagram->address)) {
            removeNode(node, false);
        }
        break;
    }
    default:
        break;
    }
}

bool NetHost::isIntact(const Packet* datagram)
{
    if (datagram->hasError()) {
        drop("serviceInPacketSpecial", datagram, datagram->getError());
    }
    return !datagram->hasError();
}

bool NetHost::readGame(Packet* datagram, double* peerVersion)
{
    UString peerGame;
    datagram->doUString(&peerGame, GAME_NAME_MAX);
    datagram->doDouble(peerVersion);
    return isIntact(datagram);
}

bool NetHost::isTooOld(double peerVersion)
{
    return std::atof(MIN_VERSION) > peerVersion + 0.001;
}

void NetHost::acceptConnect(Packet* datagram)
{
    UString sender = datagram->address.toString();
    consoleLine(formatString("New Connect attempt from %s", sender.c_str()));
    if (findNodeByAddress(datagram->address) != nullptr) {
        consoleLine(formatString("%s already exists", sender.c_str()));
        return;
    }
    if (getNumNodes() >= maxNodes) {
        consoleLine(formatString("Sending FULL to %s", sender.c_str()));
        sendRefused(datagram->address, localText(Language::ERRORSERVERISFULL));
        return;
    }
    double clientVersion = 0.0;
    if (!readGame(datagram, &clientVersion)) {
        return;
    }
    if (isTooOld(clientVersion)) {
        sendRefused(datagram->address,
                    formatString(localText(Language::ERRORMINVERSIONCLIENT).c_str(), MIN_VERSION, clientVersion));
        return;
    }
    UString name;
    datagram->doUString(&name, PLAYER_NAME_MAX);
    if (!isIntact(datagram)) {
        return;
    }
    consoleLine("Accepting connection...");
    Node* node = createNode(datagram, name);
    sendAccepted(node);
    consoleLine("Done.");
    onNodeConnected(node);
}

void NetHost::acceptAccepted(Packet* datagram)
{
    UString sender = datagram->address.toString();
    consoleLine(formatString("Connection acccepted by %s", sender.c_str()));
    if (getNumNodes() >= maxNodes) {
        return;
    }
    if (findNodeByAddress(datagram->address) != nullptr) {
        qelLog("serviceInPacketSpecial", formatString("%s already exists", sender.c_str()));
        return;
    }
    double serverVersion = 0.0;
    if (!readGame(datagram, &serverVersion)) {
        return;
    }
    if (isTooOld(serverVersion)) {
        onConnectionRefused(
            formatString(localText(Language::ERRORMINVERSIONSERVER).c_str(), MIN_VERSION, serverVersion));
        return;
    }
    u32 serverUID = 0;
    u32 ownUID = 0;
    datagram->doBytes(&serverUID, 4);
    datagram->doBytes(&ownUID, 4);
    if (!isIntact(datagram)) {
        return;
    }
    Node* node = createNode(datagram, "ServerPlayer");
    node->nodeUID = serverUID;
    hostUID = ownUID;
    onNodeConnected(node);
}

Node* NetHost::createNode(Packet* datagram, UString name)
{
    flushGlobalState();
    auto* node = new Node(this);
    nodes.addChildBack(node);
    node->address = datagram->address;
    if (name.empty()) {
        name = "Anonymous";
    }
    UString candidate = name;
    for (int i = 1;; ++i) {
        bool taken = false;
        for (BasicLink* link = nodes.firstChild; link != nullptr && !taken; link = link->next) {
            taken = isLive(link) && link != node && static_cast<Node*>(link)->name == candidate;
        }
        if (!taken || i > 15) {
            break;
        }
        candidate = formatString("%s-%d", name.c_str(), i);
    }
    node->name = candidate;
    return node;
}

void NetHost::serviceInPacketNormal(Packet* datagram, u32 uid)
{
    Node* node = findNode(uid, &datagram->address);
    if (node == nullptr) {
        return;
    }
    datagram->node = node;
    node->address.setPort(datagram->address.getPort());
    datagram->doHeader();
    if (datagram->hasError()) {
        drop(__func__, datagram, datagram->getError());
        return;
    }
    if (datagram->sequence <= node->sequenceIn) {
        return;
    }
    if (i64(datagram->sequence) - node->sequenceIn > SEQUENCE_WINDOW) {
        drop(__func__, datagram, "sequence far beyond the delivered ones");
        return;
    }
    u32 ack = 0;
    datagram->doUInt(&ack);
    if (datagram->hasError()) {
        drop(__func__, datagram, datagram->getError());
        return;
    }
    node->sequenceAcked = static_cast<i32>(ack);
    node->acknowledge();
    bool dataSeen = false;
    while (!datagram->atEnd()) {
        if (!readChunk(datagram, node, dataSeen)) {
            return;
        }
    }
}

bool NetHost::readChunk(Packet* datagram, Node* node, bool& dataSeen)
{
    const char* function = "serviceInPacketNormal";
    bool isData = false;
    datagram->doBool(&isData);
    if (!isData) {
        u32 wanted = 0;
        datagram->doUInt(&wanted);
        if (datagram->hasError()) {
            drop(function, datagram, datagram->getError());
            return false;
        }
        NetStats::increase(connection->getCurrentStats()->resendRequests);
        Packet* held = node->findUnacked(static_cast<i32>(wanted));
        if (held != nullptr && NetConnection::now() > held->time + 1.1 * node->ping) {
            connection->sendRaw(held, node->address);
            NetStats::increase(connection->getCurrentStats()->resends);
        }
        return true;
    }
    u32 length = 0;
    u32 crc = 0;
    datagram->doUInt(&length);
    datagram->doBytes(&crc, 4);
    if (datagram->hasError()) {
        drop(function, datagram, datagram->getError());
        return false;
    }
    if (ends(datagram, 0) || length > static_cast<u32>(datagram->length - (datagram->cursor - datagram->buffer))) {
        drop(function, datagram, "data chunk past the end");
        return false;
    }
    // No peer writes longer pieces; the cap bounds what may wait for a gap.
    if (length > static_cast<u32>(PIECE_MAX)) {
        drop(function, datagram, "data chunk over 512 bytes");
        return false;
    }
    Packet* piece = datagram->split(static_cast<int>(length));
    if (dataSeen) {
        drop(function, datagram, "a second data chunk");
        delete piece;
        return true;
    }
    dataSeen = true;
    if (piece->getCRC(0, -1) != crc) {
        qelLog(function, formatString("WARNING: received corrupt packet contents (from=%s, sequence=%d)",
                                      datagram->address.toString().c_str(), datagram->sequence));
        delete piece;
        return true;
    }
    if (!node->newIncoming(piece)) {
        qelLog(function, formatString("WARNING: payload from %s %s; dropping the peer.",
                                      datagram->address.toString().c_str(), node->refusal.c_str()));
        removeNode(node, false);
        return false;
    }
    return true;
}

void NetHost::writeCommand(Packet& datagram, Command command)
{
    u32 magic = MAGIC;
    u32 word = command;
    datagram.doBytes(&magic, 4);
    datagram.doBytes(&word, 4);
}

void NetHost::send(Packet& datagram, const NetAddress& to)
{
    connection->sendRaw(&datagram, to);
}

void NetHost::writeName(Packet& datagram, const UString& name, int maxBytes)
{
    // The far side drops a datagram whose name is longer than its field;
    // the cut backs off to the start of a UTF-8 character.
    size_t length = std::min(name.size(), static_cast<size_t>(maxBytes));
    while (length > 0 && length < name.size() && (static_cast<u8>(name[length]) & 0xC0) == 0x80) {
        --length;
    }
    UString fitted = name.substr(0, length);
    datagram.doUString(&fitted, maxBytes);
}

void NetHost::sendConnect(const NetAddress& server)
{
    if (!isOpen()) {
        return;
    }
    Packet datagram(Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY);
    writeCommand(datagram, CONNECT);
    writeName(datagram, gameName, GAME_NAME_MAX);
    datagram.doDouble(&version);
    writeName(datagram, playerName, PLAYER_NAME_MAX);
    send(datagram, server);
}

void NetHost::sendAccepted(Node* node)
{
    if (!isOpen()) {
        return;
    }
    Packet datagram(Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY);
    writeCommand(datagram, ACCEPTED);
    writeName(datagram, gameName, GAME_NAME_MAX);
    datagram.doDouble(&version);
    datagram.doBytes(&hostUID, 4);
    datagram.doBytes(&node->nodeUID, 4);
    send(datagram, node->address);
}

void NetHost::sendRefused(const NetAddress& to, const UString& reason)
{
    if (!isOpen()) {
        return;
    }
    Packet datagram(Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY);
    writeCommand(datagram, REFUSED);
    UString text = reason;
    datagram.doUString(&text, -1);
    send(datagram, to);
}

void NetHost::sendDisconnect(Node* node)
{
    if (!isOpen()) {
        return;
    }
    Packet datagram(Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY);
    writeCommand(datagram, DISCONNECT);
    datagram.doBytes(&hostUID, 4);
    send(datagram, node->address);
}

void NetHost::sendPiece(Packet* packet, Node* node, int offset, int length)
{
    if (!isOpen()) {
        return;
    }
    bool more = true;
    i32 total = packet->getDataSize();
    if (total <= offset + length) {
        more = false;
        length = total - offset;
    }
    sendBuffer.reset();
    sendBuffer.doBytes(&hostUID, 4);
    sendBuffer.sequence = ++node->sequenceOut;
    sendBuffer.bMore = more;
    sendBuffer.doHeader();
    u32 ack = static_cast<u32>(node->sequenceIn);
    sendBuffer.doUInt(&ack);
    int missing = offset == 0 ? node->nextResendRequest() : 0;
    if (missing > 0) {
        bool kind = false;
        u32 wanted = static_cast<u32>(missing);
        sendBuffer.doBool(&kind);
        sendBuffer.doUInt(&wanted);
    }
    bool kind = true;
    u32 count = static_cast<u32>(length);
    u32 crc = packet->getCRC(offset, length);
    sendBuffer.doBool(&kind);
    sendBuffer.doUInt(&count);
    sendBuffer.doBytes(&crc, 4);
    sendBuffer.doBytes(packet->buffer + offset, length);

    i32 size = sendBuffer.getDataSize();
    auto* datagram = new Packet(Packet::NETWORK_FLAGS, size);
    datagram->doBytes(sendBuffer.buffer, size);
    datagram->sequence = sendBuffer.sequence;
    datagram->bMore = more;
    datagram->node = node;
    connection->sendRaw(datagram, node->address);
    node->addUnacked(datagram);
}

void NetHost::sendPacket(Packet* packet, Node* node)
{
    i32 total = packet->getDataSize();
    i32 count = total / PIECE_MAX + 1;
    i32 piece = total / count + 1;
    i32 offset = 0;
    do {
        sendPiece(packet, node, offset, piece);
        offset += piece;
    } while (offset < total);
}

void NetHost::broadcastPacket(Packet* packet)
{
    for (BasicLink* link = nodes.firstChild; link != nullptr; link = link->next) {
        if (isLive(link)) {
            sendPacket(packet, static_cast<Node*>(link));
        }
    }
}

void NetHost::removeNode(Node* node, bool notify)
{
    if (notify) {
        sendDisconnect(node);
    }
    onNodeRemoved(node);
    for (BasicLink* link = inQready.firstChild; link != nullptr; link = link->next) {
        auto* packet = static_cast<Packet*>(link);
        if (packet->node == node) {
            packet->bDead = 1;
            packet->node = nullptr;
        }
    }
    delete node;
}

void NetHost::disconnectAll()
{
    for (BasicLink* link = nodes.firstChild; link != nullptr;) {
        BasicLink* following = link->next;
        if (isLive(link)) {
            removeNode(static_cast<Node*>(link), true);
        }
        link = following;
    }
}

int NetHost::getNumNodes() const
{
    return mode == MODE_SINGLE_NODE ? 1 : static_cast<int>(nodes.countChildren());
}

Node* NetHost::findNode(u32 uid, const NetAddress* from) const
{
    for (BasicLink* link = nodes.firstChild; link != nullptr; link = link->next) {
        auto* node = static_cast<Node*>(link);
        if (isLive(link) && node->nodeUID == uid && (from == nullptr || node->address.getIP() == from->getIP())) {
            return node;
        }
    }
    return nullptr;
}

Node* NetHost::findNodeByAddress(const NetAddress& address) const
{
    for (BasicLink* link = nodes.firstChild; link != nullptr; link = link->next) {
        auto* node = static_cast<Node*>(link);
        if (isLive(link) && node->address.getIP() == address.getIP() &&
            node->address.getPort() == address.getPort()) {
            return node;
        }
    }
    return nullptr;
}
