// The point-mass bodies stepped as their owners step them, frame by frame
// with fixed steps.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "game/physics/Physics.h"
#include "game/physics/PhysicsTrain.h"
#include "game/physics/Spring.h"
#include "net/Packet.h"
#include "support/EngineCore.h"
#include "support/PacketBytes.h"

namespace {

class Bodies : public testing::Test {
protected:
    EngineCore core;
};

// A train segment's body: the masses, damping and speed limits it sets.
void makeSegmentBody(PhysicsTrain& body)
{
    body.mass = 1.0f;
    body.damping = 5.0f;
    body.maxSpeed = 1000.0f;
    body.minSpeed = -2000.0f;
}

} // namespace

TEST_F(Bodies, FreeBodySplitsLongStepsAndNeverReverses)
{
    struct Case {
        const char* name;
        float speed;
        float damping;
        float friction;
        double dt;
        float x;
        float speedAfter;
    };
    const Case cases[] = {
        // 0.1 s runs as four steps of 0.025 s, each keeping 7/8 of the speed.
        {"split damping", 100, 5, 0, 0.1, 7.2418f, 58.618f},
        {"one short step", 100, 5, 0, 0.04, 3.2f, 80.0f},
        {"damping too strong stops", 100, 30, 0, 0.04, 0.0f, 0.0f},
        {"friction slows", 100, 0, 500, 0.02, 1.8f, 90.0f},
        {"friction too strong stops", 1, 0, 100, 0.02, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Physics body;
        body.velocity = V3(c.speed, 0, 0);
        body.damping = c.damping;
        body.friction = c.friction;
        body.update(0.0, c.dt);
        EXPECT_NEAR(body.position.x, c.x, 1e-3f);
        EXPECT_NEAR(body.velocity.x, c.speedAfter, 1e-3f);
        EXPECT_EQ(body.velocity.y, 0.0f);
    }
}

TEST_F(Bodies, FreeBodyTakesForcesOnceAndKeepsToItsSpeedLimit)
{
    Physics body;
    body.mass = 2.0f;
    body.maxSpeed = 3.0f;
    body.force = V3(0, 200, 0);
    body.update(0.0, 0.02);
    EXPECT_NEAR(body.acceleration.y, 100.0f, 1e-4f);
    EXPECT_NEAR(body.velocity.y, 2.0f, 1e-5f);
    EXPECT_EQ(body.force, V3());
    body.force = V3(0, 200, 0);
    body.update(0.0, 0.02);
    EXPECT_NEAR(body.velocity.y, 3.0f, 1e-5f);
    EXPECT_NEAR(body.position.y, 0.1f, 1e-5f);
    EXPECT_NEAR(body.previousPosition.y, 0.04f, 1e-5f);

    // At rest nothing moves, not even the previous position.
    Physics still;
    still.position = V3(5, 6, 7);
    still.previousPosition = V3(1, 2, 3);
    still.clearForce = false;
    still.update(0.0, 0.02);
    EXPECT_EQ(still.previousPosition, V3(1, 2, 3));
    EXPECT_EQ(still.position, V3(5, 6, 7));
}

TEST_F(Bodies, SpringPullsInEveryHalfOfASplitStep)
{
    Spring spring;
    spring.position = V3(10, 0, 0);
    spring.update(0.0, 0.08);
    // The first half feels the pull added before the split as well as its own.
    const float firstSpeed = -20.0f * 0.04f;
    const float firstX = 10.0f + firstSpeed * 0.04f;
    const float secondSpeed = firstSpeed - firstX * 0.04f;
    EXPECT_NEAR(spring.velocity.x, secondSpeed, 1e-5f);
    EXPECT_NEAR(spring.position.x, firstX + secondSpeed * 0.04f, 1e-5f);
}

TEST_F(Bodies, TrainBodySettlesAtItsLimitsAndForcesLastOneStep)
{
    for (float push : {-1.0e6f, 1.0e6f}) {
        PhysicsTrain body;
        makeSegmentBody(body);
        for (int frame = 0; frame < 120; ++frame) {
            body.force.x = push;
            body.update(frame / 60.0, 1.0 / 60.0);
        }
        EXPECT_EQ(body.velocity.x, push < 0 ? -2000.0f : 1000.0f);
    }

    PhysicsTrain body;
    body.force.x = 100.0f;
    // A long step is not split.
    body.update(0.0, 0.1);
    EXPECT_NEAR(body.velocity.x, 10.0f, 1e-5f);
    EXPECT_NEAR(body.position.x, 1.0f, 1e-5f);
    body.update(0.1, 0.1);
    EXPECT_NEAR(body.velocity.x, 10.0f, 1e-5f);
    EXPECT_NEAR(body.position.x, 2.0f, 1e-5f);
}

TEST_F(Bodies, TrainRecordReadsBackAndRefusesDamage)
{
    PhysicsTrain saved;
    makeSegmentBody(saved);
    saved.position = V3(812.5f, 0, 0);
    saved.previousPosition = V3(810.25f, 0, 0);
    saved.velocity = V3(-135.0f, 0, 0);
    saved.acceleration = V3(-40.0f, 0, 0);
    saved.force = V3(7.0f, 0, 0);
    saved.friction = 3.5f;
    Packet writer(Packet::SAVEGAME_FLAGS, -1);
    saved.serialize(&writer);
    const Bytes record = packetBytes(writer);
    ASSERT_EQ(record.size(), size_t(PhysicsTrain::RECORD_SIZE));
    float mass = 0.0f;
    std::memcpy(&mass, record.data() + 60, 4);
    EXPECT_EQ(mass, 1.0f);

    // Read back, the body writes the same record again.
    PhysicsTrain loaded;
    auto reader = readerFor(record, Packet::SAVEGAME_FLAGS);
    loaded.serialize(reader.get());
    EXPECT_FALSE(reader->hasError());
    Packet again(Packet::SAVEGAME_FLAGS, -1);
    loaded.serialize(&again);
    EXPECT_EQ(packetBytes(again), record);
    EXPECT_EQ(loaded.velocity, saved.velocity);

    const auto putFloat = [](Bytes& bytes, size_t offset, float value) {
        std::memcpy(bytes.data() + offset, &value, 4);
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const struct {
        const char* name;
        std::function<void(Bytes&)> damage;
    } damages[] = {
        {"position not a number", [&](Bytes& b) { putFloat(b, 4, nan); }},
        {"infinite force", [&](Bytes& b) { putFloat(b, 56, -infinity); }},
        {"zero mass", [&](Bytes& b) { putFloat(b, 60, 0.0f); }},
        {"negative mass", [&](Bytes& b) { putFloat(b, 60, -1.0f); }},
        {"mass not a number", [&](Bytes& b) { putFloat(b, 60, nan); }},
        {"infinite speed limit", [&](Bytes& b) { putFloat(b, 68, infinity); }},
        {"truncated", [](Bytes& b) { b.pop_back(); }},
    };
    for (const auto& d : damages) {
        SCOPED_TRACE(d.name);
        Bytes damaged = record;
        d.damage(damaged);
        PhysicsTrain body;
        auto damagedReader = readerFor(damaged, Packet::SAVEGAME_FLAGS);
        body.serialize(damagedReader.get());
        EXPECT_TRUE(damagedReader->hasError());
        EXPECT_EQ(body.position, V3());
        EXPECT_EQ(body.mass, 1.0f);
        EXPECT_EQ(body.maxSpeed, 1000000.0f);
    }
}
