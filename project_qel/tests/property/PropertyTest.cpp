// Property kinds: their packet encodings under the property and packet
// flags, their text forms, and the tree operations.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <type_traits>

#include "config/MemoryIniFile.h"
#include "graphics/FontQuad.h"
#include "graphics/Quad.h"
#include "net/Packet.h"
#include "property/PropertyContainer.h"
#include "property/PropertyDWORD.h"
#include "property/PropertyDouble.h"
#include "property/PropertyFloat.h"
#include "property/PropertyInt.h"
#include "property/PropertyPointer.h"
#include "property/PropertyUColor.h"
#include "resource/ResourceManager.h"
#include "support/EngineCore.h"
#include "support/ExpectFatal.h"
#include "support/ObjectTablePacket.h"
#include "support/PacketBytes.h"

namespace {

class PropertyTest : public ::testing::Test {
protected:
    EngineCore core;

    Bytes written(Property& property, u32 packetFlags = Packet::NETWORK_FLAGS)
    {
        Packet packet(packetFlags, 64);
        property.netSerializeProperty(&packet);
        return packetBytes(packet);
    }
};

TEST_F(PropertyTest, Encodings)
{
    i32 value = 300;
    u32 word = 0xA1B2C3D4;
    double d = 1.0;
    float f = 1.0f;
    UColor c(0x11, 0x22, 0x33, 0x44);
    void* none = nullptr;
    QelBase target;
    target.objectUID = 12;
    void* p = &target;
    PropertyInt unsignedForm("n", Property::UNSIGNED, &value);
    PropertyDouble half("d", Property::HALF_FLOAT, &d);
    std::unique_ptr<Property> properties[] = {
        std::make_unique<PropertyInt>("n", 0, &value),
        std::make_unique<PropertyDWORD>("w", 0, &word),
        std::make_unique<PropertyDouble>("d", 0, &d),
        std::make_unique<PropertyFloat>("f", 0, &f),
        std::make_unique<PropertyFloat>("f", Property::HALF_FLOAT, &f),
        std::make_unique<PropertyUColor>("c", 0, &c),
        std::make_unique<PropertyPointer>("p", 0, &none, QelBase::runtimeClass()),
        std::make_unique<PropertyPointer>("p", Property::RESOURCE, &none, QelBase::runtimeClass()),
        std::make_unique<PropertyPointer>("p", 0, &p, QelBase::runtimeClass()),
    };
    const Bytes expected[] = {{0xAC, 0x04}, {0xD4, 0xC3, 0xB2, 0xA1}, {0x00, 0x00, 0x80, 0x3F},
                              {0x00, 0x00, 0x80, 0x3F}, {0x00, 0x3C}, {0x33, 0x22, 0x11, 0x44},
                              {0x00}, {0x00}, {0x0C}};
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(written(*properties[i]), expected[i]) << i;
    }
    EXPECT_EQ(written(unsignedForm), (Bytes{0xAC, 0x02}));
    EXPECT_EQ(written(half), (Bytes{0x00, 0x3C}));

    auto reader = readerFor({0xAC, 0x02, 0x66, 0x2E});
    value = 0;
    d = 5.0;
    unsignedForm.netSerializeProperty(reader.get());
    half.netSerializeProperty(reader.get());
    EXPECT_EQ(value, 300);
    EXPECT_EQ(d, 0.0999755859375);
}

TEST_F(PropertyTest, RawPointersAreWrittenButNeverRead)
{
    QelBase target;
    void* p = &target;
    PropertyPointer raw("p", Property::RAW_POINTER, &p, QelBase::runtimeClass());
    auto low = static_cast<u32>(reinterpret_cast<std::uintptr_t>(&target));
    Bytes expected{u8(low), u8(low >> 8), u8(low >> 16), u8(low >> 24)};
    EXPECT_EQ(written(raw, Packet::SKIP_FLAG2), expected);

    // Whatever the field holds, even what is no object, stays as it was.
    int notAnObject = 0;
    for (void* held : {static_cast<void*>(nullptr), static_cast<void*>(&notAnObject)}) {
        auto reader = readerFor(expected, Packet::SKIP_FLAG2);
        p = held;
        raw.netSerializeProperty(reader.get());
        EXPECT_EQ(p, held);
        EXPECT_STREQ(reader->getError(), "raw pointer in a stream");
    }
    EXPECT_FATAL(PropertyPointer("q", 0, &p, nullptr), "pointeeClass");
}

TEST_F(PropertyTest, ContainerPassesOnlyWhatThePacketCarries)
{
    i32 a = 1;
    i32 b = 2;
    i32 c = 3;
    i32 w = 4;
    i32 r = 5;
    PropertyContainer root("root", 0);
    EXPECT_EQ(root.toString(), "(empty)");
    root.addChildBack(new PropertyInt("a", 0, &a));
    root.addChildBack(new PropertyInt("b", Property::SKIP_FLAG1, &b));
    root.addChildBack(new PropertyInt("c", Property::SKIP_FLAG2, &c));
    auto* nested = new PropertyContainer("nested", 0);
    nested->addChildBack(new PropertyInt("w", Property::ONLY_WHEN_WRITING, &w));
    nested->addChildBack(new PropertyInt("r", Property::ONLY_WHEN_READING, &r));
    root.addChildBack(nested);
    EXPECT_EQ(root.toString(), "...");

    EXPECT_EQ(written(root, 0), (Bytes{0x01, 0x02, 0x03, 0x04}));
    EXPECT_EQ(written(root, Packet::NETWORK_FLAGS), (Bytes{0x01, 0x03, 0x04}));
    EXPECT_EQ(written(root, Packet::SKIP_FLAG2), (Bytes{0x01, 0x02, 0x04}));

    auto reader = readerFor({0x0A, 0x0B, 0x0C});
    root.netSerializeProperty(reader.get());
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(c, 11);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(r, 12);
    EXPECT_TRUE(reader->atEnd());

    // Dead and skipped children are passed over.
    root.getChild(0)->bSkip = 1;
    EXPECT_EQ(written(root, Packet::NETWORK_FLAGS), (Bytes{0x0B, 0x04}));
}

// A kind that only says how it travels cannot be made: it must also say
// how a refused read of it is undone.
struct TravellingOnly : Property {
    using Property::Property;
    void netSerializeProperty(Packet*) override {}
};
static_assert(std::is_abstract_v<TravellingOnly>);

TEST_F(PropertyTest, KeptValuesOfEveryKindComeBackThroughNestedGroups)
{
    i32 n = 1;
    u32 w = 2;
    double d = 3.0;
    float f = 4.0f;
    UColor c(1, 2, 3, 4);
    QelBase target;
    void* p = &target;
    PropertyContainer root("root", 0);
    root.addChildBack(new PropertyInt("n", 0, &n));
    root.addChildBack(new PropertyDWORD("w", 0, &w));
    auto* group = new PropertyContainer("group", 0);
    group->addChildBack(new PropertyDouble("d", 0, &d));
    group->addChildBack(new PropertyFloat("f", 0, &f));
    group->addChildBack(new PropertyUColor("c", 0, &c));
    group->addChildBack(new PropertyPointer("p", 0, &p, QelBase::runtimeClass()));
    root.addChildBack(group);

    root.keepValues();
    n = 10;
    w = 20;
    d = 30.0;
    f = 40.0f;
    c = UColor(9, 9, 9, 9);
    p = nullptr;
    root.restoreValues();
    EXPECT_EQ(n, 1);
    EXPECT_EQ(w, 2u);
    EXPECT_EQ(d, 3.0);
    EXPECT_EQ(f, 4.0f);
    EXPECT_EQ(c, UColor(1, 2, 3, 4));
    EXPECT_EQ(p, &target);
}

TEST_F(PropertyTest, PropertyObjectSerialiserWritesNoValues)
{
    i32 v = 7;
    PropertyContainer left("left", Property::SKIP_FLAG1);
    left.addChildBack(new PropertyInt("v", 0, &v));
    PropertyContainer kept("kept", 0);
    kept.addChildBack(new PropertyInt("v", 0, &v));
    Packet packet(Packet::NETWORK_FLAGS, 16);
    left.netSerialize(&packet);
    kept.netSerialize(&packet);
    EXPECT_EQ(packet.getDataSize(), 0);
}

TEST_F(PropertyTest, NumberAndColourTexts)
{
    double d = 2.5;
    float f = 0.1f;
    i32 i = 5;
    u32 w = 1;
    UColor c(0x11, 0x22, 0x33, 0x44);
    PropertyDouble dp("d", 0, &d);
    PropertyFloat fp("f", 0, &f);
    PropertyInt ip("i", 0, &i);
    PropertyDWORD wp("w", 0, &w);
    PropertyUColor cp("c", 0, &c);
    // Each row reads a text into the property (none: the value as set) and
    // shows it; a text that does not parse leaves the value alone.
    const struct {
        Property* property;
        const char* read;
        const char* shown;
    } cases[] = {
        {&dp, nullptr, "2.5"},         {&dp, "2", "2.0"},          {&dp, "1e-10", "0.0"},
        {&dp, "-3.25", "-3.25"},       {&dp, "  17.125xyz", "17.125"}, {&dp, "abc", "17.125"},
        {&fp, nullptr, "0.100000001"}, {&ip, nullptr, "5"},        {&ip, "-42", "-42"},
        {&ip, "x", "-42"},             {&ip, "99999999999", "2147483647"},
        {&wp, nullptr, "00000001"},    {&wp, "zz", "00000001"},    {&wp, "ff", "000000ff"},
        {&wp, "0xDEADBEEF", "deadbeef"}, {&wp, "-1", "deadbeef"},
        {&cp, nullptr, "44112233"},    {&cp, "80ff0001", "80ff0001"}, {&cp, "nothing", "80ff0001"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.read != nullptr ? row.read : row.shown);
        if (row.read != nullptr) {
            row.property->fromString(row.read);
        }
        EXPECT_EQ(row.property->toString(), row.shown);
    }
    EXPECT_EQ(c, UColor(0xFF, 0x00, 0x01, 0x80));
    fp.fromString("1e300");
    EXPECT_TRUE(std::isinf(f));
}

TEST_F(PropertyTest, PointerTexts)
{
    core.qel->resourceManager = new ResourceManager();
    QelBase bear;
    QelBase other;
    core.qel->resourceManager->addResource("bear:0", &bear);
    auto hex = [](const void* p) {
        return formatString("%08lx", static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(p)));
    };

    void* p = &bear;
    PropertyPointer pp("p", Property::RESOURCE, &p, QelBase::runtimeClass());
    EXPECT_EQ(pp.toString(), "bear:0");
    p = nullptr;
    EXPECT_EQ(pp.toString(), "NULL");
    p = &other;
    EXPECT_EQ(pp.toString(), hex(&other));

    pp.fromString("bear:0");
    EXPECT_EQ(p, &bear);
    pp.fromString("NULL"); // does not parse back
    EXPECT_EQ(p, &bear);
    pp.fromString("0");
    EXPECT_EQ(p, nullptr);
    pp.fromString("ffff"); // below 0x10000: changes nothing
    EXPECT_EQ(p, nullptr);
    pp.fromString(hex(&other));
    EXPECT_EQ(p, &other);
    // An address that is no live object is never taken.
    pp.fromString("12345678");
    EXPECT_EQ(p, &other);

    delete core.qel->resourceManager;
    core.qel->resourceManager = nullptr;
}

TEST_F(PropertyTest, APointerReadTakesOnlyItsPointeeClassFromAnyPacket)
{
    MemoryIniFile config("Vabodemo.cfg");
    core.qel->config = &config;
    ResourceManager resources;
    core.qel->resourceManager = &resources;
    Quad quad;
    FontQuad font;
    quad.objectUID = 5;
    font.objectUID = 6;
    resources.addResource("ball:0", &quad);
    resources.addResource("font:small", &font);
    Skin before;
    // Each row writes a field that names something and reads it into a
    // field for skins that holds another skin, through a packet that finds
    // objects in a table of its own; a refused one leaves the field.
    const struct {
        u32 flags;
        u32 packetFlags;
        QelBase* named;
        const char* refusal;
    } cases[] = {
        {Property::RESOURCE, Packet::NETWORK_FLAGS, &quad, nullptr},
        {Property::RESOURCE, Packet::NETWORK_FLAGS, nullptr, nullptr},
        {Property::RESOURCE, Packet::NETWORK_FLAGS, &font,
         "property 'p' names resource 'font:small', a FontQuad, not a Skin"},
        {Property::RESOURCE, Packet::SAVEGAME_FLAGS, &font,
         "property 'p' names resource 'font:small', a FontQuad, not a Skin"},
        {0, Packet::NETWORK_FLAGS, &quad, nullptr},
        {0, Packet::NETWORK_FLAGS, &font, "property 'p' names object ID 6, a FontQuad, not a Skin"},
        {0, Packet::SAVEGAME_FLAGS, &font, "property 'p' names object ID 6, a FontQuad, not a Skin"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.named != nullptr ? row.named->getRuntimeClass()->name : "none");
        void* named = row.named;
        ObjectTablePacket packet(row.packetFlags, 64);
        PropertyPointer("p", row.flags, &named, QelBase::runtimeClass()).netSerializeProperty(&packet);
        packet.rewindToRead();
        packet.addObject(&quad);
        packet.addObject(&font);
        void* field = &before;
        PropertyPointer("p", row.flags, &field, Skin::runtimeClass()).netSerializeProperty(&packet);
        if (row.refusal != nullptr) {
            EXPECT_STREQ(packet.getError(), row.refusal);
            EXPECT_EQ(field, &before);
        } else {
            EXPECT_FALSE(packet.hasError());
            EXPECT_EQ(field, row.named);
        }
    }
    core.qel->resourceManager = nullptr;
    core.qel->config = nullptr;
}

TEST_F(PropertyTest, FindMarkedAndDeleteFlagged)
{
    i32 v = 0;
    PropertyContainer root("root", 0);
    EXPECT_EQ(root.findMarked(), nullptr);
    auto* first = new PropertyInt("first", Property::MARKED, &v);
    auto* group = new PropertyContainer("group", Property::MARKED);
    auto* inner = new PropertyInt("inner", Property::MARKED | Property::SKIP_FLAG2, &v);
    auto* last = new PropertyInt("last", 0, &v);
    root.addChildBack(first);
    root.addChildBack(group);
    group->addChildBack(inner);
    root.addChildBack(last);
    // Last child first, each subtree before its own property.
    EXPECT_EQ(root.findMarked(), inner);
    inner->bSkip = 1;
    EXPECT_EQ(root.findMarked(), group);
    group->bDead = 1;
    EXPECT_EQ(root.findMarked(), first);
    group->bDead = 0;
    inner->bSkip = 0;

    root.deleteFlagged(Property::SKIP_FLAG2);
    EXPECT_EQ(group->firstChild, nullptr);
    EXPECT_EQ(root.countChildren(), 3u);
    root.deleteFlagged(Property::MARKED);
    EXPECT_EQ(root.countChildren(), 1u);
    EXPECT_EQ(root.firstChild, last);

    PropertyContainer lone("lone", Property::MARKED);
    EXPECT_EQ(lone.findMarked(), &lone);
}

} // namespace
