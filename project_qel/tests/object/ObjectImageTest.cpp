// An object's property tree and its packet image with the list of its
// children, and the state part's own serialiser.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/Packet.h"
#include "object/Reference.h"
#include "property/PropertyContainer.h"
#include "support/EngineCore.h"
#include "support/ExpectFatal.h"
#include "support/ObjectTablePacket.h"
#include "support/PacketBytes.h"
#include "system/StringUtils.h"

namespace {

class ObjectImageTest : public ::testing::Test {
protected:
    EngineCore core;

    // A parent with three children of identifiers 2, 3 and (unless given)
    // -1, in that order.
    void makeFamily(QelBase& parent, i32 thirdUID = -1)
    {
        for (i32 uid : {2, thirdUID, 3}) {
            auto* child = new QelBase();
            child->objectUID = uid;
            parent.addChildBack(child);
        }
    }

    // A network image of a plain object that lists the children of these
    // identifiers.
    static Bytes imageListing(const std::vector<u32>& ids)
    {
        Packet image(Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY);
        QelBase fields;
        std::unique_ptr<PropertyContainer> tree(fields.createPropertyTree());
        tree->netSerializeProperty(&image);
        bool hasChildren = true;
        image.doBool(&hasChildren);
        for (u32 id : ids) {
            image.doUInt(&id);
        }
        u32 end = 0;
        image.doUInt(&end);
        return packetBytes(image);
    }
};

TEST_F(ObjectImageTest, PropertyTreeOfAPlainObject)
{
    QelBase object;
    std::unique_ptr<PropertyContainer> tree(object.createPropertyTree());
    EXPECT_THAT(tree->name, testing::MatchesRegex(R"(QelBase \([0-9a-f]{8,}\))"));
    EXPECT_EQ(tree->flags, 0u);
    // Names and flags, "objectUID" first and the state part as a group.
    std::string shape;
    for (BasicLink* p = tree->firstChild; p != nullptr; p = p->next) {
        const auto* property = static_cast<Property*>(p);
        shape += formatString("%s/%u ", property->name.c_str(), property->flags);
        for (BasicLink* q = property->firstChild; q != nullptr; q = q->next) {
            shape += formatString("%s/%u ", static_cast<Property*>(q)->name.c_str(), static_cast<Property*>(q)->flags);
        }
    }
    EXPECT_EQ(shape, "objectUID/3 StateBase/0 state/0 timeInState/4 stateLeft/1 stateGoto/1 ");
    EXPECT_EQ(static_cast<Property*>(tree->getChild(0))->toString(), "-1");
}

TEST_F(ObjectImageTest, ImageWithoutChildren)
{
    QelBase object;
    object.setState(3, 0.0, false);
    object.timeInState = 1.0;
    object.stateLeft = 4.0;
    Packet saved(Packet::SAVEGAME_FLAGS, 64);
    object.netSerialize(&saved);
    // state, timeInState as a half float, the marker, hasChildren false.
    EXPECT_EQ(packetBytes(saved), (Bytes{0x03, 0x00, 0x3C, 0xFB, 0xFC, 0xFD, 0xFE, 0x00}));
    Packet network(Packet::NETWORK_FLAGS, 64);
    object.netSerialize(&network);
    EXPECT_EQ(packetBytes(network), (Bytes{0x03, 0x00, 0x3C, 0x00}));

    saved.rewindToRead();
    QelBase copy;
    copy.netSerialize(&saved);
    EXPECT_FALSE(saved.hasError());
    EXPECT_EQ(copy.state, 3);
    EXPECT_EQ(copy.timeInState, 1.0);
    EXPECT_EQ(copy.stateLeft, 0.0); // not carried
}

TEST_F(ObjectImageTest, NetworkImageListsRegisteredChildrenOnly)
{
    QelBase parent;
    makeFamily(parent);
    Packet packet(Packet::NETWORK_FLAGS, 64);
    parent.netSerialize(&packet);
    EXPECT_EQ(packetBytes(packet), (Bytes{0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x00}));

    QelBase all;
    makeFamily(all, 4);
    Packet unfiltered(0, 64);
    all.netSerialize(&unfiltered);
    // Without packet flag 0x1 every property travels, "objectUID" included.
    EXPECT_EQ(packetBytes(unfiltered),
              (Bytes{0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x04, 0x03, 0x00}));

    Packet refused(0, 64);
    EXPECT_FATAL(parent.netSerialize(&refused), "objectUID>=0");
}

TEST_F(ObjectImageTest, ReadingAppendsTheChildrenInOrder)
{
    QelBase parent;
    makeFamily(parent);
    QelBase* two = parent.getFirstChild();
    QelBase* three = static_cast<QelBase*>(parent.lastChild);
    Packet writer(Packet::SAVEGAME_FLAGS, 64);
    parent.netSerialize(&writer);

    ObjectTablePacket reader(Packet::SAVEGAME_FLAGS, 64);
    Bytes bytes = packetBytes(writer);
    reader.doBytes(bytes.data(), static_cast<int>(bytes.size()));
    reader.rewindToRead();
    reader.addObject(two);
    reader.addObject(three);
    QelBase copy;
    copy.netSerialize(&reader);
    EXPECT_FALSE(reader.hasError()) << reader.getError();
    ASSERT_EQ(copy.countChildren(), 2u);
    EXPECT_EQ(copy.getChild(0), two);
    EXPECT_EQ(copy.getChild(1), three);
    EXPECT_EQ(parent.countChildren(), 1u); // the children moved over
}

TEST_F(ObjectImageTest, BadImagesAreRefused)
{
    QelBase object;
    auto wrongMarker = readerFor({0x00, 0x00, 0x00, 0xFB, 0xFC, 0xFD, 0xFF, 0x00}, Packet::SAVEGAME_FLAGS);
    object.netSerialize(wrongMarker.get());
    EXPECT_STREQ(wrongMarker->getError(), "marker==0xfefdfcfb");

    auto truncated = readerFor({0x05, 0x00});
    object.netSerialize(truncated.get());
    EXPECT_TRUE(truncated->hasError());

    // A list with an unknown child or one child twice adopts none of the
    // children it names.
    const struct {
        std::vector<u32> list;
        const char* error;
    } lists[] = {
        {{0x09}, "Could not find object ID"},
        {{0x02, 0x03, 0x09}, "Could not find object ID"},
        {{0x02, 0x02}, "an image lists a child twice"},
        {{0x02, 0x04, 0x03, 0x04}, "an image lists a child twice"},
        {{0x02, 0x02, 0x09}, "an image lists a child twice"},
    };
    for (const auto& row : lists) {
        QelBase copy;
        QelBase elsewhere;
        makeFamily(elsewhere, 4);
        auto reader = readerFor<ObjectTablePacket>(imageListing(row.list));
        for (BasicLink* node = elsewhere.firstChild; node != nullptr; node = node->next) {
            reader->addObject(static_cast<QelBase*>(node));
        }
        copy.netSerialize(reader.get());
        EXPECT_STREQ(reader->getError(), row.error) << testing::PrintToString(row.list);
        EXPECT_EQ(copy.firstChild, nullptr) << testing::PrintToString(row.list);
        EXPECT_EQ(elsewhere.countChildren(), 3u) << testing::PrintToString(row.list);
    }
}

TEST_F(ObjectImageTest, ChildThatWouldMakeACycleRefusesTheImageOrMarksAHeldOne)
{
    // The reader lies at the bottom of a chain, 600 levels below its top;
    // the chain's objects have the identifiers 1 (the top) to 601 (the
    // reader), and two leaves apart have 1001 and 1002. An image that lists
    // the reader or an ancestor anywhere is refused whole; held, it reads,
    // is marked and lists only the leaves. Either way no object moves.
    constexpr u32 READER = 601;
    std::vector<u32> farthest;
    for (u32 id = 1; id <= 127; ++id) {
        farthest.push_back(id);
    }
    const std::vector<u32> lists[] = {
        {1},
        farthest,
        {1, 1001},
        {READER - 1},
        {READER},
        {1001, READER - 1},
        {1001, 1002, READER},
        {1002, 300, 1001},
    };
    for (const std::vector<u32>& list : lists) {
        for (bool holding : {true, false}) {
            const std::string row = testing::PrintToString(list) + (holding ? " held" : "");
            QelBase top;
            std::vector<QelBase*> chain{&top};
            while (chain.size() < READER) {
                auto* node = new QelBase();
                chain.back()->addChildBack(node);
                chain.push_back(node);
            }
            QelBase elsewhere;
            QelBase* leaves[2];
            for (QelBase*& leaf : leaves) {
                leaf = new QelBase();
                elsewhere.addChildBack(leaf);
            }
            auto reader = readerFor<ObjectTablePacket>(imageListing(list));
            for (size_t i = 0; i < chain.size(); ++i) {
                chain[i]->objectUID = static_cast<i32>(i + 1);
                reader->addObject(chain[i]);
            }
            for (i32 i = 0; i < 2; ++i) {
                leaves[i]->objectUID = 1001 + i;
                reader->addObject(leaves[i]);
            }
            QelBase* copy = chain.back();
            ASSERT_EQ(copy->depth(), 600u);

            Packet::HeldImage held;
            held.reader = copy;
            reader->heldImage = holding ? &held : nullptr;
            copy->netSerialize(reader.get());
            reader->heldImage = nullptr;
            if (holding) {
                EXPECT_FALSE(reader->hasError()) << row << ": " << reader->getError();
                EXPECT_TRUE(held.bCycle) << row;
                std::vector<QelBase*> listed;
                for (u32 id : list) {
                    if (id > 1000) {
                        listed.push_back(leaves[id - 1001]);
                    }
                }
                EXPECT_EQ(held.children, listed) << row;
            } else {
                EXPECT_STREQ(reader->getError(), "child would make the tree a cycle") << row;
            }
            EXPECT_EQ(copy->firstChild, nullptr) << row;
            for (size_t i = 1; i < chain.size(); ++i) {
                ASSERT_EQ(chain[i]->parent, chain[i - 1]) << row;
            }
            EXPECT_EQ(top.parent, nullptr) << row;
            EXPECT_EQ(leaves[0]->parent, &elsewhere) << row;
            EXPECT_EQ(leaves[1]->parent, &elsewhere) << row;
        }
    }
}

TEST_F(ObjectImageTest, StatePartSerialiser)
{
    QelBase object;
    object.state = -1;
    object.timeInState = 0.5;
    object.stateLeft = 2.0;
    object.stateGoto = 64;
    Packet packet(Packet::SAVEGAME_FLAGS, 64);
    object.StateBase::netSerialize(&packet);
    EXPECT_EQ(packetBytes(packet),
              (Bytes{0x41, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x00, 0x40, 0x80, 0x01}));
    packet.rewindToRead();
    QelBase copy;
    copy.StateBase::netSerialize(&packet);
    EXPECT_EQ(copy.state, -1);
    EXPECT_EQ(copy.timeInState, 0.5);
    EXPECT_EQ(copy.stateLeft, 2.0);
    EXPECT_EQ(copy.stateGoto, 64);
}

TEST_F(ObjectImageTest, ReferenceTravelsAsIdentifier)
{
    QelBase owner;
    QelBase target;
    target.objectUID = 7;
    Reference<QelBase> reference(&owner);
    reference = &target;
    Packet packet(Packet::NETWORK_FLAGS, 16);
    reference.netSerialize(&packet);
    EXPECT_EQ(packetBytes(packet), (Bytes{0x07}));

    auto reader = readerFor<ObjectTablePacket>({0x00, 0x07});
    reader->addObject(&target);
    // The packet's table holds one reference to the target too.
    reference.netSerialize(reader.get());
    EXPECT_EQ(reference.get(), nullptr);
    EXPECT_EQ(target.references.countChildren(), 1u);
    reference.netSerialize(reader.get());
    EXPECT_EQ(reference.get(), &target);
    EXPECT_EQ(target.references.lastChild, &reference);
}

} // namespace
