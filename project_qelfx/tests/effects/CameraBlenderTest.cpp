#include "effects/CameraBlender.h"

#include <gtest/gtest.h>

#include <cmath>

#include "effects/CameraBlenderFactor.h"
#include "effects/ContextBlender.h"
#include "support/EngineCore.h"

namespace {

class Blender : public testing::Test {
protected:
    CameraBlenderFactor* addTarget(float y, double duration, double delay = 0.0)
    {
        auto* k = new CameraBlenderFactor();
        k->position = V3(0.0f, y, blender.position.z);
        k->duration = duration;
        k->delay = delay;
        blender.add(k);
        return k;
    }

    void run(double seconds, double step = 0.5)
    {
        for (double t = 0.0; t < seconds - 1e-9; t += step) {
            blender.postUpdate(t, step);
        }
    }

    EngineCore core;
    CameraBlender blender;
};

} // namespace

TEST_F(Blender, WithoutTargetsStaysAtItsBaseAndResetJumpsAndDropsEveryTarget)
{
    const V3 base = blender.position;
    run(3.0);
    EXPECT_EQ(blender.position, base);
    EXPECT_EQ(blender.eye.z, base.z);
    EXPECT_EQ(blender.eyeTarget.x, blender.position.x);

    addTarget(100.0f, 1.0);
    addTarget(200.0f, 1.0);
    blender.reset(0.0f, 100.0f, -400.0f);
    EXPECT_EQ(blender.countChildren(), 0u);
    EXPECT_EQ(blender.position.y, 100.0f);
    EXPECT_EQ(blender.target.y, 100.0f);
    run(1.0);
    EXPECT_EQ(blender.position.y, 100.0f);
}

TEST_F(Blender, GlidesToATargetWithTheEasedCurveAndAnArrivedTargetDeletesTheOneBefore)
{
    addTarget(424.0f, 10.0);
    run(5.0);
    EXPECT_NEAR(blender.position.y, 212.0f, 1e-3) << "halfway in time is halfway on the eased curve";
    EXPECT_EQ(blender.target.y, blender.position.y);
    EXPECT_NEAR(blender.eye.y, 212.0f, 1e-3) << "not snapped to whole units";
    run(7.0);
    EXPECT_FLOAT_EQ(blender.position.y, 424.0f);
    EXPECT_EQ(blender.basePosition.y, 0.0f);
    EXPECT_EQ(blender.countChildren(), 1u);

    addTarget(100.0f, 1.0);
    CameraBlenderFactor* second = addTarget(200.0f, 1.0);
    run(1.0, 1.0);
    EXPECT_EQ(blender.countChildren(), 1u) << "both arrived in the same frame";
    EXPECT_EQ(blender.getChild(0), second);
    EXPECT_FLOAT_EQ(blender.position.y, 200.0f);
}

TEST_F(Blender, AWaitingTargetTakesNoPartButStillCountsAsPredecessor)
{
    addTarget(300.0f, 1.0, 2.0);
    addTarget(50.0f, 0.5);
    run(1.0);
    EXPECT_FLOAT_EQ(blender.position.y, 50.0f);
    EXPECT_EQ(blender.countChildren(), 1u) << "the waiting target was the predecessor of an arrived one";

    blender.reset(0.0f, 0.0f, blender.position.z);
    CameraBlenderFactor* delayed = addTarget(300.0f, 1.0, 2.0);
    run(2.0);
    EXPECT_EQ(blender.position.y, 0.0f) << "no movement while it waits";
    EXPECT_EQ(delayed->factor, 0.0f);
    run(1.0);
    EXPECT_FLOAT_EQ(blender.position.y, 300.0f);
}

TEST_F(Blender, FactorsNeverGoBackAZeroDurationArrivesAtOnceAndTheShakeSettles)
{
    CameraBlenderFactor k;
    k.duration = 1.0;
    k.update(0.0, 3.0);
    EXPECT_EQ(k.factor, 1.0f);
    k.time = -5.0;
    k.update(0.0, 1.0);
    EXPECT_EQ(k.factor, 1.0f);
    CameraBlenderFactor instant;
    instant.duration = 0.0;
    instant.update(0.0, 0.0);
    EXPECT_EQ(instant.factor, 1.0f) << "no division by zero into a NaN camera";

    blender.shakeDuration = 1.0;
    blender.shakeAmplitude = 0.1;
    blender.postUpdate(0.0, 0.25);
    EXPECT_FLOAT_EQ(blender.roll, static_cast<float>(0.75 * 0.1 * std::cos(0.25 * 32.0)));
    run(2.0);
    EXPECT_EQ(blender.roll, 0.0f);
}

TEST(ContextBlender, RendersThroughABlender)
{
    EngineCore core;
    ContextBlender screen;
    EXPECT_NE(dynamic_cast<CameraBlender*>(screen.camera), nullptr);
    EXPECT_EQ(screen.blender(), screen.camera);
}
