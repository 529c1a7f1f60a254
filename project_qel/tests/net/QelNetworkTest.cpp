#include <gtest/gtest.h>

#include <memory>

#include "config/MemoryIniFile.h"
#include "engine/Qel.h"
#include "net/QelNetwork.h"
#include "support/FileCore.h"

namespace {

class Network : public testing::Test {
protected:
    void SetUp() override
    {
        config = std::make_unique<MemoryIniFile>("Vabodemo.cfg");
        core.qel->config = config.get();
        network = std::make_unique<QelNetwork>();
    }
    void TearDown() override
    {
        network.reset();
        core.qel->config = nullptr;
    }

    NetAddress endpoint(u16 port) const
    {
        NetAddress address;
        address.set(0x7F000001u, port);
        return address;
    }
    bool receive(const NetAddress& receiver, std::string& text, NetAddress& sender)
    {
        u8 buffer[64];
        int length = 0;
        if (!network->receiveEmulated(&sender, receiver, buffer, sizeof(buffer), &length)) {
            return false;
        }
        text.assign(reinterpret_cast<char*>(buffer), static_cast<size_t>(length));
        return true;
    }
    void send(const NetAddress& from, const NetAddress& to, const std::string& text)
    {
        network->sendEmulated(from, to, reinterpret_cast<const u8*>(text.data()), static_cast<int>(text.size()));
    }

    FileCore core;
    std::unique_ptr<MemoryIniFile> config;
    std::unique_ptr<QelNetwork> network;
};

} // namespace

TEST_F(Network, WritesItsSwitchAndHandsOutPorts)
{
    EXPECT_EQ(network->bEmulateLocalhost, 1);
    EXPECT_EQ(config->getString("QelNetwork", "bEmulateLocalhost"), "Yes");
    EXPECT_EQ(network->allocatePort(), 1);
    EXPECT_EQ(network->allocatePort(), 2);
    EXPECT_EQ(network->allocatePort(), 3);
    EXPECT_EQ(network->THEROLE, nullptr);

    config->setBool("QelNetwork", "bEmulateLocalhost", false);
    EXPECT_EQ(QelNetwork().bEmulateLocalhost, 0);
}

TEST_F(Network, DeliversInOrderToEachReceiver)
{
    NetAddress a = endpoint(1), b = endpoint(2);
    send(a, b, "x");
    send(a, b, "y");
    send(b, a, "z");
    std::string text;
    NetAddress sender;
    ASSERT_TRUE(receive(b, text, sender));
    EXPECT_EQ(text, "x");
    EXPECT_EQ(sender.getPort(), 1);
    ASSERT_TRUE(receive(b, text, sender));
    EXPECT_EQ(text, "y");
    ASSERT_TRUE(receive(a, text, sender));
    EXPECT_EQ(text, "z");
    EXPECT_FALSE(receive(a, text, sender));
    EXPECT_FALSE(receive(b, text, sender));
}

TEST_F(Network, FlushDropsOnlyWhatTheSenderSent)
{
    NetAddress a = endpoint(1), b = endpoint(2), nobody = endpoint(9);
    send(a, b, "from a");
    send(b, a, "to a");
    send(a, nobody, "lost");
    network->flushEmulatedPackets(a);
    EXPECT_EQ(network->emulatedPackets.countChildren(), 1u);
    std::string text;
    NetAddress sender;
    EXPECT_FALSE(receive(b, text, sender));
    ASSERT_TRUE(receive(a, text, sender));
    EXPECT_EQ(text, "to a");
}

TEST_F(Network, OversizedDatagramIsDroppedNotCut)
{
    NetAddress a = endpoint(1), b = endpoint(2);
    send(a, b, std::string(100, 'q'));
    send(a, b, "short");
    std::string text;
    NetAddress sender;
    ASSERT_TRUE(receive(b, text, sender));
    EXPECT_EQ(text, "short");
}
