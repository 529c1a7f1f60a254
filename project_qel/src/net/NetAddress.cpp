#include "net/NetAddress.h"

#include <arpa/inet.h>
#include <netdb.h>

#include <cstring>

#include "engine/QelAssert.h"

NetAddress::NetAddress(const UString& host, u16 port)
{
    setBoth(host, port);
}

NetAddress::NetAddress(const UString& text)
{
    size_t colon = text.find(':');
    if (colon == std::string::npos) {
        setBoth(text, 0);
        return;
    }
    u16 port = static_cast<u16>(parseInt(UString(text, colon + 1)));
    setBoth(UString(text, 0, colon), port);
}

void NetAddress::clear()
{
    std::memset(&address, 0, sizeof(address));
    address.sin_family = AF_INET;
}

void NetAddress::set(u32 ip, u16 port)
{
    clear();
    setIP(ip);
    setPort(port);
}

void NetAddress::setIP(u32 ip)
{
    address.sin_addr.s_addr = htonl(ip);
}

void NetAddress::setPort(u16 port)
{
    address.sin_port = htons(port);
}

u32 NetAddress::getIP() const
{
    return ntohl(address.sin_addr.s_addr);
}

u16 NetAddress::getPort() const
{
    return ntohs(address.sin_port);
}

bool NetAddress::setBoth(const UString& host, u16 port)
{
    clear();
    resolved = true;
    if (host == "localhost") {
        set(0x7F000001u, port);
        return true;
    }
    hostent* hostEntry = gethostbyname(host.c_str());
    if (hostEntry == nullptr || hostEntry->h_addr_list == nullptr || hostEntry->h_addr_list[0] == nullptr) {
        set(0x7F000001u, 0);
        resolved = false;
        return false;
    }
    QEL_ASSERT(hostEntry -> h_addrtype == AF_INET);
    std::memcpy(&address.sin_addr, hostEntry->h_addr_list[0], sizeof(address.sin_addr));
    setPort(port);
    return true;
}

UString NetAddress::toString() const
{
    u32 ip = getIP();
    return formatString("%d.%d.%d.%d:%d", int(ip >> 24), int((ip >> 16) & 0xff), int((ip >> 8) & 0xff),
                        int(ip & 0xff), int(getPort()));
}
