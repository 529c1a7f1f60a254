// Datagrams a second through two peer hosts over loopback sockets, beside a
// plain sendto/recvfrom loop of the same sizes over the same kind of
// sockets. Each round the sender sends a batch of one-piece payloads, the
// receiver takes them and acknowledges once with an empty payload of its
// own, as a replication role does once a tick, and the sender takes that.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

#include "support/NetCore.h"

namespace {

constexpr int BATCH = 32;

class CountingHost : public NetHost {
public:
    explicit CountingHost(bool server) : NetHost("Vabo", 1.30, "", 0, server)
    {
        setConnection(NetCore::openEndpoint(), true);
        setMaxNodes(1);
    }
    void processPacket(Packet* p) override { bytes += p->getDataSize(); ++received; }

    i64 received = 0;
    i64 bytes = 0;
};

void hostDatagrams(benchmark::State& state)
{
    NetCore net(false);
    CountingHost server(true);
    CountingHost client(false);
    client.sendConnect(server.connection->address);
    for (int i = 0; i < 100 && client.getNumNodes() == 0; ++i) {
        server.service();
        client.service();
    }
    if (client.getNumNodes() == 0) {
        state.SkipWithError("no handshake");
        return;
    }
    const int size = static_cast<int>(state.range(0));
    auto payload = payloadOf(Bytes(static_cast<size_t>(size), 0x5A));
    auto ack = payloadOf({});
    Node* toServer = static_cast<Node*>(client.nodes.firstChild);
    Node* toClient = static_cast<Node*>(server.nodes.firstChild);
    i64 sentBefore = client.connection->totals.payloadOut;
    for (auto _ : state) {
        for (int i = 0; i < BATCH; ++i) {
            client.sendPacket(payload.get(), toServer);
        }
        server.service();
        server.sendPacket(ack.get(), toClient);
        client.service();
        NetCore::advance(0.05);
    }
    server.service();
    i64 datagrams = static_cast<i64>(state.iterations()) * BATCH;
    state.SetItemsProcessed(datagrams);
    state.counters["delivered"] = static_cast<double>(server.received) / static_cast<double>(datagrams);
    i64 sent = client.connection->totals.payloadOut - sentBefore;
    if (client.connection->history.lastChild != nullptr) {
        sent += static_cast<NetStats*>(client.connection->history.lastChild)->payloadOut;
    }
    state.counters["format_bytes"] = static_cast<double>(sent) / static_cast<double>(datagrams) - size;
}

int openSocket(sockaddr_in* bound)
{
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    int receiveBufferSize = 0x40000;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBufferSize, sizeof(int));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(0x7F000001u);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    socklen_t length = sizeof(*bound);
    getsockname(fd, reinterpret_cast<sockaddr*>(bound), &length);
    return fd;
}

void plainDatagrams(benchmark::State& state)
{
    sockaddr_in senderAddress{};
    sockaddr_in receiverAddress{};
    int sender = openSocket(&senderAddress);
    int receiver = openSocket(&receiverAddress);
    const size_t size = static_cast<size_t>(state.range(0));
    std::vector<u8> out(size, 0x5A);
    std::vector<u8> in(65536);
    i64 received = 0;
    for (auto _ : state) {
        for (int i = 0; i < BATCH; ++i) {
            sendto(sender, out.data(), size, 0, reinterpret_cast<sockaddr*>(&receiverAddress),
                   sizeof(receiverAddress));
        }
        for (;;) {
            sockaddr_in from{};
            socklen_t length = sizeof(from);
            if (recvfrom(receiver, in.data(), in.size(), 0, reinterpret_cast<sockaddr*>(&from), &length) < 0) {
                break;
            }
            ++received;
        }
    }
    i64 datagrams = static_cast<i64>(state.iterations()) * BATCH;
    state.SetItemsProcessed(datagrams);
    state.counters["delivered"] = static_cast<double>(received) / static_cast<double>(datagrams);
    close(sender);
    close(receiver);
}

} // namespace

// 511 bytes is the largest payload that goes as one piece.
BENCHMARK(hostDatagrams)->Arg(64)->Arg(511);
BENCHMARK(plainDatagrams)->Arg(64)->Arg(511);
