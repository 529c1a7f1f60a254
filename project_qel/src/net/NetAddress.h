#pragma once
// An IPv4 endpoint (address and UDP port), kept in the form the socket
// calls take.
#include <netinet/in.h>
#include <sys/socket.h>

#include "system/UString.h"

class NetAddress {
public:
    NetAddress() { clear(); }
    // Resolves the host; see setBoth.
    NetAddress(const UString& host, u16 port);
    // "host:port"; a missing or unreadable port is 0.
    explicit NetAddress(const UString& text);

    // 0.0.0.0 port 0.
    void clear();
    // Both in host byte order (127.0.0.1 is 0x7F000001).
    void set(u32 ip, u16 port);
    void setIP(u32 ip);
    void setPort(u16 port);
    u32 getIP() const;
    u16 getPort() const;
    // "localhost" is 127.0.0.1 without asking the resolver. A name that does
    // not resolve gives 127.0.0.1 port 0 and returns false.
    bool setBoth(const UString& host, u16 port);
    // "a.b.c.d:port".
    UString toString() const;

    sockaddr* getSockAddr() { return reinterpret_cast<sockaddr*>(&address); }
    const sockaddr* getSockAddr() const { return reinterpret_cast<const sockaddr*>(&address); }
    static constexpr socklen_t sizeofSockAddr = sizeof(sockaddr_in);

    // Whether the last resolution of a host name succeeded.
    bool resolved = true;

private:
    sockaddr_in address;
};
static_assert(NetAddress::sizeofSockAddr == 16);
