// Golden byte vectors for every encoding of the stream, and its handling of
// data from outside: short, malformed and unresolvable input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "net/Packet.h"
#include "net/RPC.h"
#include "object/RuntimeClassManager.h"
#include "property/Property.h"
#include "resource/ResourceManager.h"
#include "support/EngineCore.h"
#include "support/ExpectFatal.h"
#include "support/PacketBytes.h"

namespace {

class PacketTest : public ::testing::Test {
protected:
    EngineCore core;
    Packet packet{Packet::NETWORK_FLAGS, 256};

    Bytes uintBytes(u32 v)
    {
        Packet p(Packet::NETWORK_FLAGS, 16);
        p.doUInt(&v);
        return packetBytes(p);
    }
    Bytes intBytes(i32 v)
    {
        Packet p(Packet::NETWORK_FLAGS, 16);
        p.doInt(&v);
        return packetBytes(p);
    }
    Bytes halfBytes(float v)
    {
        Packet p(Packet::NETWORK_FLAGS, 16);
        p.doHalfFloat(&v);
        return packetBytes(p);
    }
    float halfRoundTrip(float v)
    {
        auto reader = readerFor(halfBytes(v));
        float out = -1.0f;
        reader->doHalfFloat(&out);
        return out;
    }
};

TEST_F(PacketTest, VariableLengthGoldenVectors)
{
    // The whole 32-bit range fits in five bytes.
    const std::pair<u32, Bytes> unsignedCases[] = {
        {0, {0x00}}, {127, {0x7F}}, {128, {0x80, 0x01}}, {300, {0xAC, 0x02}}, {16383, {0xFF, 0x7F}},
        {16384, {0x80, 0x80, 0x01}}, {0x7FFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x07}},
        {0x80000000u, {0x80, 0x80, 0x80, 0x80, 0x08}}, {0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x0F}}};
    for (const auto& [value, bytes] : unsignedCases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(uintBytes(value), bytes);
        auto reader = readerFor(bytes);
        u32 out = 12345;
        reader->doUInt(&out);
        EXPECT_EQ(out, value);
        EXPECT_FALSE(reader->hasError());
        EXPECT_TRUE(reader->atEnd());
    }
    // Sign in bit 6 of the first byte; the most negative value is magnitude
    // 2^31 with the sign bit.
    const std::pair<i32, Bytes> signedCases[] = {
        {0, {0x00}}, {63, {0x3F}}, {64, {0x80, 0x01}}, {-1, {0x41}}, {-63, {0x7F}}, {-64, {0xC0, 0x01}},
        {100, {0xA4, 0x01}}, {0x7FFFFFFF, {0xBF, 0xFF, 0xFF, 0xFF, 0x0F}},
        {-0x7FFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x0F}},
        {std::numeric_limits<i32>::min(), {0xC0, 0x80, 0x80, 0x80, 0x10}}};
    for (const auto& [value, bytes] : signedCases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(intBytes(value), bytes);
        auto reader = readerFor(bytes);
        i32 out = 12345;
        reader->doInt(&out);
        EXPECT_EQ(out, value);
        EXPECT_FALSE(reader->hasError());
    }
}

TEST_F(PacketTest, VariableLengthReadsRefuseWhatDoesNotFit)
{
    u32 u = 7;
    auto tooLong = readerFor({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01});
    tooLong->doUInt(&u);
    EXPECT_TRUE(tooLong->hasError());
    EXPECT_EQ(u, 0u);

    auto tooLarge = readerFor({0xFF, 0xFF, 0xFF, 0xFF, 0x1F});
    tooLarge->doUInt(&u);
    EXPECT_TRUE(tooLarge->hasError());

    // Magnitude 2^31 is only allowed with the sign.
    i32 i = 7;
    auto positiveTooLarge = readerFor({0x80, 0x80, 0x80, 0x80, 0x10});
    positiveTooLarge->doInt(&i);
    EXPECT_TRUE(positiveTooLarge->hasError());
    EXPECT_EQ(i, 0);

    auto negativeZero = readerFor({0x40});
    negativeZero->doInt(&i);
    EXPECT_FALSE(negativeZero->hasError());
    EXPECT_EQ(i, 0);

    auto truncated = readerFor({0x80});
    truncated->doUInt(&u);
    EXPECT_TRUE(truncated->hasError());
    EXPECT_EQ(u, 0u);
}

TEST_F(PacketTest, HalfFloatGoldenVectors)
{
    // Out of range clamps to the largest half, tiny values to the smallest
    // normal one, NaN and negative zero to zero.
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, Bytes> cases[] = {
        {1.0f, {0x00, 0x3C}},   {1e9f, {0xEF, 0x7F}},    {130000.0f, {0xEF, 0x7F}}, {-130000.0f, {0xEF, 0xFF}},
        {1e-9f, {0x10, 0x00}},  {-1e-9f, {0x10, 0x80}},  {0.0f, {0x00, 0x00}},      {-0.0f, {0x00, 0x00}},
        {inf, {0xEF, 0x7F}},    {-inf, {0xEF, 0xFF}},    {std::numeric_limits<float>::quiet_NaN(), {0x00, 0x00}},
        {std::numeric_limits<float>::denorm_min(), {0x10, 0x00}}};
    for (const auto& [value, bytes] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(halfBytes(value), bytes);
    }
    EXPECT_EQ(halfRoundTrip(0.1f), 0.0999755859375f);
    EXPECT_EQ(halfRoundTrip(130000.0f), 129984.0f);
    EXPECT_EQ(halfRoundTrip(-0.0f), 0.0f);
    EXPECT_FALSE(std::signbit(halfRoundTrip(-0.0f)));
    EXPECT_NEAR(halfRoundTrip(1e-9f), 3.0994e-5f, 1e-9f);

    // The caller's float keeps its value; the double form rounds to float.
    float f = 0.1f;
    packet.doHalfFloat(&f);
    EXPECT_EQ(f, 0.1f);
    double d = 0.1;
    packet.doHalfFloat(&d);
    EXPECT_EQ(d, static_cast<double>(0.1f));
}

TEST_F(PacketTest, DoubleTravelsAsFloat)
{
    double d = 0.1;
    packet.doDouble(&d);
    EXPECT_EQ(packetBytes(packet), (Bytes{0xCD, 0xCC, 0xCC, 0x3D}));
    EXPECT_EQ(d, 0.10000000149011612);

    double huge = 1e300;
    double tiny = -1e300;
    double nan = std::numeric_limits<double>::quiet_NaN();
    packet.doDouble(&huge);
    packet.doDouble(&tiny);
    packet.doDouble(&nan);
    EXPECT_EQ(huge, std::numeric_limits<double>::infinity());
    EXPECT_EQ(tiny, -std::numeric_limits<double>::infinity());
    packet.rewindToRead();
    double out = 0;
    packet.doDouble(&out);
    EXPECT_EQ(out, d);
    packet.doDouble(&out);
    EXPECT_EQ(out, std::numeric_limits<double>::infinity());
    packet.doDouble(&out);
    EXPECT_EQ(out, -std::numeric_limits<double>::infinity());
    packet.doDouble(&out);
    EXPECT_TRUE(std::isnan(out));
}

TEST_F(PacketTest, ColourVectorAndRawBytes)
{
    UColor c(0x11, 0x22, 0x33, 0x44);
    V3 v(1.0f, -2.0f, 0.5f);
    u32 word = 0x01020304;
    packet.doColor(&c);
    packet.doV3(&v);
    packet.doBytes(&word, 4);
    EXPECT_EQ(packetBytes(packet), (Bytes{0x33, 0x22, 0x11, 0x44, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00,
                                          0x00, 0xC0, 0x00, 0x00, 0x00, 0x3F, 0x04, 0x03, 0x02, 0x01}));
    packet.rewindToRead();
    UColor c2;
    V3 v2;
    u32 word2 = 0;
    packet.doColor(&c2);
    packet.doV3(&v2);
    packet.doBytes(&word2, 4);
    EXPECT_EQ(c2, c);
    EXPECT_EQ(v2, v);
    EXPECT_EQ(word2, word);
}

TEST_F(PacketTest, AddressIsIpThenPort)
{
    NetAddress address;
    address.set(0x0A000002, 23006);
    NetAddress local;
    local.set(0x7F000001, 1);
    packet.doAddress(&address);
    packet.doAddress(&local);
    EXPECT_EQ(packetBytes(packet), (Bytes{0x02, 0x00, 0x00, 0x0A, 0xDE, 0x59, 0x01, 0x00, 0x00, 0x7F, 0x01, 0x00}));
    packet.rewindToRead();
    NetAddress read;
    packet.doAddress(&read);
    EXPECT_EQ(read.getIP(), 0x0A000002u);
    EXPECT_EQ(read.getPort(), 23006);
}

TEST_F(PacketTest, BitsShareBytesUntilTheNinth)
{
    bool a = true;
    bool b = true;
    u8 c = 0xFE; // only the low two bits travel
    u32 n = 300;
    packet.doBool(&a);
    packet.doUInt(&n);
    packet.doBool(&b);
    packet.doBits(&c, 2);
    EXPECT_EQ(packetBytes(packet), (Bytes{1 + 2 + 4 * 2, 0xAC, 0x02}));

    packet.rewindToRead();
    bool a2 = false;
    bool b2 = false;
    u8 c2 = 0xF0;
    u32 n2 = 0;
    packet.doBool(&a2);
    packet.doUInt(&n2);
    packet.doBool(&b2);
    packet.doBits(&c2, 2);
    EXPECT_TRUE(a2);
    EXPECT_TRUE(b2);
    EXPECT_EQ(n2, 300u);
    EXPECT_EQ(c2, 0xF2); // the other bits of the byte stay

    // The ninth bit opens a new byte; no bits take no room.
    Packet bits(Packet::NETWORK_FLAGS, 16);
    for (int i = 0; i < 9; ++i) {
        bool bit = (i % 2) == 0;
        bits.doBool(&bit);
    }
    EXPECT_EQ(packetBytes(bits), (Bytes{0x55, 0x01}));
    u8 none = 0xFF;
    bits.doBits(&none, 0);
    EXPECT_EQ(bits.getDataSize(), 2);
}

TEST_F(PacketTest, HeaderCarriesSequenceAndMoreBit)
{
    packet.sequence = 300;
    packet.bMore = true;
    packet.doHeader();
    EXPECT_EQ(packetBytes(packet), (Bytes{0xAC, 0x02, 0x01}));
    packet.rewindToRead();
    packet.sequence = -1;
    packet.bMore = false;
    packet.doHeader();
    EXPECT_EQ(packet.sequence, 300);
    EXPECT_TRUE(packet.bMore);

    Packet fresh(Packet::NETWORK_FLAGS, 16);
    fresh.doHeader();
    EXPECT_EQ(packetBytes(fresh), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0x00}));
}

TEST_F(PacketTest, StringsAreMaskedLengthPrefixedAndLimited)
{
    UString empty;
    UString ab = "AB";
    packet.doUString(&empty, -1);
    packet.doUString(&ab, -1);
    EXPECT_EQ(packetBytes(packet), (Bytes{0x00, 0x02, 0x0A, 0x09}));

    // A zero byte ends the text read.
    auto reader = readerFor({0x03, 0x0A, 0x4B, 0x09});
    UString out = "x";
    reader->doUString(&out, -1);
    EXPECT_EQ(out, "A");
    EXPECT_FALSE(reader->hasError());

    // The longest text is 1023 bytes, and a read never passes the limit.
    Packet big(Packet::NETWORK_FLAGS, 4096);
    UString longest(1023, 'x');
    big.doUString(&longest, -1);
    big.rewindToRead();
    big.doUString(&out, -1);
    EXPECT_EQ(out, longest);
    EXPECT_FALSE(big.hasError());

    UString tooLong(1024, 'x');
    Packet fresh(Packet::NETWORK_FLAGS, 4096);
    EXPECT_FATAL(fresh.doUString(&tooLong, -1), "length<BUFFERSIZE");

    Packet writer(Packet::NETWORK_FLAGS, 4096);
    u32 length = 1024;
    writer.doUInt(&length);
    Bytes filler(1024, 0x4B);
    writer.doBytes(filler.data(), 1024);
    writer.rewindToRead();
    out = "kept?";
    writer.doUString(&out, -1);
    EXPECT_STREQ(writer.getError(), "length<BUFFERSIZE");
    EXPECT_EQ(out, "");

    auto limited = readerFor({0x03, 0x0A, 0x0A, 0x0A});
    limited->doUString(&out, 2);
    EXPECT_STREQ(limited->getError(), "length<=maxLength");

    auto shortText = readerFor({0x05, 0x0A});
    shortText->doUString(&out, -1);
    EXPECT_TRUE(shortText->hasError());
    EXPECT_EQ(out, "");
}

TEST_F(PacketTest, ReadPastEndYieldsZerosFromThenOn)
{
    auto reader = readerFor({0x05, 0x01});
    u32 word = 0xFFFFFFFF;
    reader->doBytes(&word, 4);
    EXPECT_TRUE(reader->hasError());
    EXPECT_EQ(word, 0u);
    EXPECT_TRUE(reader->atEnd());
    // Later reads yield zeros even where bytes are left.
    u32 v = 9;
    bool b = true;
    reader->doUInt(&v);
    reader->doBool(&b);
    EXPECT_EQ(v, 0u);
    EXPECT_FALSE(b);
    EXPECT_STREQ(reader->getError(), "read past the end");
    // The first reason stays; one composed at run time is kept as a copy.
    reader->setError(formatString("a later reason %d", 2));
    EXPECT_STREQ(reader->getError(), "read past the end");
    auto composed = readerFor({});
    composed->setError(formatString("a reason composed at run time, number %d", 1));
    EXPECT_STREQ(composed->getError(), "a reason composed at run time, number 1");
    composed->reset();
    EXPECT_EQ(composed->getError(), nullptr);

    auto noBitByte = readerFor({});
    noBitByte->doBool(&b);
    EXPECT_FALSE(b);
    EXPECT_TRUE(noBitByte->hasError());
}

TEST_F(PacketTest, ConstructionModesAndCapacity)
{
    Packet standard(Packet::NETWORK_FLAGS, -1);
    EXPECT_EQ(standard.capacity, 65536);
    EXPECT_EQ(standard.length, 65536);
    EXPECT_NE(standard.buffer, nullptr);
    EXPECT_TRUE(standard.bWriting);

    Packet empty(Packet::NETWORK_FLAGS, 0);
    EXPECT_EQ(empty.buffer, nullptr);
    EXPECT_EQ(empty.cursor, nullptr);
    empty.rewindToRead();
    EXPECT_TRUE(empty.atEnd());

    u32 v = 5;
    packet.doUInt(&v);
    packet.rewindToRead();
    EXPECT_FATAL(packet.rewindToRead(), "Statement: bWriting");
    packet.doUInt(&v);
    packet.reset();
    EXPECT_FALSE(packet.bWriting);
    EXPECT_EQ(packet.cursor, packet.buffer);
    EXPECT_EQ(packet.length, packet.capacity);

    Packet small(Packet::NETWORK_FLAGS, 2);
    u32 word = 1;
    EXPECT_FATAL(small.doBytes(&word, 4), "capacity");
}

TEST_F(PacketTest, ObjectReferences)
{
    QelBase* none = nullptr;
    EXPECT_FALSE(packet.doPointer2(&none));
    QelBase object;
    object.objectUID = 300;
    QelBase* p = &object;
    EXPECT_TRUE(packet.doPointer2(&p));
    EXPECT_EQ(packetBytes(packet), (Bytes{0x00, 0xAC, 0x02}));

    packet.rewindToRead();
    p = &object;
    EXPECT_FALSE(packet.doPointer2(&p));
    EXPECT_EQ(p, nullptr);
    EXPECT_FALSE(packet.hasError());
    // Without a replication role no identifier resolves.
    p = &object;
    EXPECT_FALSE(packet.doPointer2(&p));
    EXPECT_EQ(p, nullptr);
    EXPECT_TRUE(packet.hasError());

    QelBase unregistered;
    QelBase* q = &unregistered;
    Packet writer(Packet::NETWORK_FLAGS, 16);
    EXPECT_FATAL(writer.doPointer2(&q), "objectUID>=0");
}

TEST_F(PacketTest, ResourceReferences)
{
    core.qel->resourceManager = new ResourceManager();
    QelBase bear;
    core.qel->resourceManager->addResource("bear:0", &bear);

    void* r = &bear;
    void* none = nullptr;
    packet.doResourcePointer2(&r);
    packet.doResourcePointer2(&none);
    EXPECT_EQ(packetBytes(packet), (Bytes{0x06, 0x29, 0x2E, 0x2A, 0x39, 0x71, 0x7B, 0x00}));
    packet.rewindToRead();
    void* out = nullptr;
    void* out2 = &bear;
    packet.doResourcePointer2(&out);
    packet.doResourcePointer2(&out2);
    EXPECT_EQ(out, &bear);
    EXPECT_EQ(out2, nullptr);
    EXPECT_FALSE(packet.hasError());

    Packet unknown(Packet::NETWORK_FLAGS, 16);
    UString name = "wolf";
    unknown.doUString(&name, -1);
    unknown.rewindToRead();
    out = &bear;
    unknown.doResourcePointer2(&out);
    EXPECT_EQ(out, nullptr);
    EXPECT_TRUE(unknown.hasError());

    QelBase nameless;
    void* n = &nameless;
    Packet writer(Packet::NETWORK_FLAGS, 16);
    EXPECT_FATAL(writer.doResourcePointer2(&n), "Statement: s!=\"\"");

    delete core.qel->resourceManager;
    core.qel->resourceManager = nullptr;
}

TEST_F(PacketTest, ClassReferences)
{
    RuntimeClassManager::getInstance()->buildClassArray();
    RuntimeClass* record = QelBase::runtimeClass();
    packet.doClassID(&record);
    u32 id = 0;
    packet.rewindToRead();
    packet.doUInt(&id);
    EXPECT_EQ(static_cast<i32>(id), QelBase::runtimeClass()->id);

    Packet persistent(Packet::SAVEGAME_FLAGS, 16);
    persistent.doClassID(&record);
    u32 hash = classNameHash("QelBase");
    Bytes expected(4);
    std::memcpy(expected.data(), &hash, 4);
    EXPECT_EQ(packetBytes(persistent), expected);
    persistent.rewindToRead();
    RuntimeClass* read = nullptr;
    persistent.doClassID(&read);
    EXPECT_EQ(read, QelBase::runtimeClass());

    auto unknownHash = readerFor({0x01, 0x02, 0x03, 0x04}, Packet::SAVEGAME_FLAGS);
    read = QelBase::runtimeClass();
    unknownHash->doClassID(&read);
    EXPECT_EQ(read, nullptr);
    EXPECT_STREQ(unknownHash->getError(), "*_class!=NULL");

    auto beyondArray = readerFor({0xFF, 0xFF, 0x03});
    beyondArray->doClassID(&read);
    EXPECT_EQ(read, nullptr);
    EXPECT_TRUE(beyondArray->hasError());
}

TEST_F(PacketTest, CreatingFromClassIdentifiersIsChecked)
{
    RuntimeClassManager::getInstance()->buildClassArray();
    auto classPacket = [](RuntimeClass* record) {
        auto p = std::make_unique<Packet>(Packet::SAVEGAME_FLAGS, 16);
        p->doClassID(&record);
        p->rewindToRead();
        return p;
    };
    // Not derived from the required base: refused, never cast.
    auto notAnRpc = classPacket(QelBase::runtimeClass());
    EXPECT_EQ(notAnRpc->readNewObject<RPC>(), nullptr);
    EXPECT_TRUE(notAnRpc->hasError());
    // Derived, but without a creator.
    auto noCreator = classPacket(Property::runtimeClass());
    EXPECT_EQ(noCreator->readNewObject<QelBase>(), nullptr);
    EXPECT_TRUE(noCreator->hasError());

    auto fine = classPacket(QelBase::runtimeClass());
    std::unique_ptr<QelBase> object(fine->readNewObject<QelBase>());
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->getRuntimeClass(), QelBase::runtimeClass());
    EXPECT_FALSE(fine->hasError());
}

TEST_F(PacketTest, CrcOfData)
{
    const char* digits = "123456789";
    packet.doBytes(const_cast<char*>(digits), 9);
    EXPECT_EQ(packet.getCRC(0, -1), 0xCBF43926u);
    EXPECT_EQ(packet.getCRC(0, 9), 0xCBF43926u);
    EXPECT_EQ(packet.getCRC(0, 0), 0u);
    EXPECT_EQ(packet.getCRC(1000, 5), 0u);
    EXPECT_EQ(packet.getCRC(250, 100), packet.getCRC(250, 6));
}

TEST_F(PacketTest, SplitJoinAndAppend)
{
    Bytes data{1, 2, 3, 4, 5, 6};
    packet.doBytes(data.data(), 6);
    packet.sequence = 7;
    packet.bMore = true;
    packet.time = 2.5;
    packet.address.set(0x7F000001, 99);
    packet.rewindToRead();

    std::unique_ptr<Packet> first(packet.split(4));
    EXPECT_EQ(first->capacity, 4);
    EXPECT_EQ(first->length, 4);
    EXPECT_FALSE(first->bWriting);
    EXPECT_EQ(first->sequence, 7);
    EXPECT_TRUE(first->bMore);
    EXPECT_EQ(first->time, 2.5);
    EXPECT_EQ(first->address.getPort(), 99);
    u8 byte = 0;
    first->doBytes(&byte, 1);
    EXPECT_EQ(byte, 1);

    std::unique_ptr<Packet> rest(packet.split(4));
    EXPECT_TRUE(rest->hasError());
    EXPECT_TRUE(packet.hasError());

    Packet head(Packet::NETWORK_FLAGS, 8);
    u8 a = 9;
    head.doBytes(&a, 1);
    Packet other(Packet::NETWORK_FLAGS, 8);
    other.doBytes(data.data(), 6);
    std::unique_ptr<Packet> joined(head.join(&other, 2, 3));
    EXPECT_EQ(joined->capacity, 4);
    EXPECT_EQ(packetBytes(*joined), (Bytes{9, 3, 4, 5}));
    EXPECT_TRUE(joined->bWriting);

    Packet whole(Packet::NETWORK_FLAGS, 6);
    whole.rewindToRead(); // holds nothing yet
    joined->sequence = 11;
    joined->appendTo(&whole);
    EXPECT_TRUE(whole.bWriting);
    EXPECT_EQ(whole.sequence, 11);
    joined->appendTo(&whole);
    EXPECT_TRUE(whole.hasError()); // eight bytes do not fit in six
    EXPECT_EQ(packetBytes(whole), (Bytes{9, 3, 4, 5}));
}

} // namespace
