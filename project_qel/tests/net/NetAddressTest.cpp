#include <gtest/gtest.h>

#include "net/NetAddress.h"

TEST(NetAddress, StoresHostOrderValuesInNetworkOrder)
{
    NetAddress address;
    EXPECT_EQ(address.toString(), "0.0.0.0:0");
    address.set(0x7F000001u, 23006);
    EXPECT_EQ(address.toString(), "127.0.0.1:23006");
    EXPECT_EQ(address.getIP(), 0x7F000001u);
    EXPECT_EQ(address.getPort(), 23006);
    const auto* raw = reinterpret_cast<const sockaddr_in*>(address.getSockAddr());
    const auto* bytes = reinterpret_cast<const u8*>(&raw->sin_addr.s_addr);
    EXPECT_EQ(bytes[0], 127);
    EXPECT_EQ(bytes[3], 1);
    EXPECT_EQ(raw->sin_family, AF_INET);
    address.clear();
    EXPECT_EQ(address.toString(), "0.0.0.0:0");
}

TEST(NetAddress, ParsesHostAndPort)
{
    EXPECT_EQ(NetAddress("10.0.0.2:23006").toString(), "10.0.0.2:23006");
    EXPECT_EQ(NetAddress("10.0.0.2").toString(), "10.0.0.2:0");
    EXPECT_EQ(NetAddress("10.0.0.2:").toString(), "10.0.0.2:0");
    EXPECT_EQ(NetAddress("10.0.0.2:port").toString(), "10.0.0.2:0");
    EXPECT_EQ(NetAddress("localhost:70000").toString(), "127.0.0.1:4464");
    EXPECT_EQ(NetAddress("localhost", 5000).toString(), "127.0.0.1:5000");
}

TEST(NetAddress, UnresolvableNameReportsFailure)
{
    NetAddress address;
    EXPECT_FALSE(address.setBoth("no-such-host.invalid", 5000));
    EXPECT_FALSE(address.resolved);
    EXPECT_EQ(address.toString(), "127.0.0.1:0");
    EXPECT_TRUE(address.setBoth("127.0.0.2", 7));
    EXPECT_TRUE(address.resolved);
    EXPECT_EQ(address.toString(), "127.0.0.2:7");
}
