#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/Context.h"
#include "engine/Qel.h"
#include "graphics/Camera.h"
#include "support/DeviceCore.h"

namespace {

// Records the clock values it is ticked with and the context current then.
class Watcher : public QelBase {
public:
    void update(double time, double dt) override
    {
        times.push_back(time);
        steps.push_back(dt);
        contexts.push_back(g_qel->currentContext);
        QelBase::update(time, dt);
    }
    std::vector<double> times;
    std::vector<double> steps;
    std::vector<Context*> contexts;
};

class ContextTest : public testing::Test {
protected:
    // A frame of the engine's clock that lasted `seconds`.
    void frameOf(double seconds)
    {
        core.qel->frameTimer.previousStart = core.qel->frameTimer.currentStart;
        core.qel->frameTimer.currentStart += seconds;
    }

    DeviceCore core{DeviceCore::INPUT};
};

} // namespace

TEST_F(ContextTest, ClockIsScaledBoundedAndLimited)
{
    Context screen;
    auto* child = new Watcher;
    screen.add(child);
    core.qel->maxFrameDuration = 0.05;
    frameOf(0.02);
    screen.tick(0.0, 0.0);
    EXPECT_DOUBLE_EQ(screen.time, 0.02);
    frameOf(1.0);  // a stall; a zero limit never finishes the screen
    screen.tick(0.0, 0.0);
    EXPECT_FALSE(screen.bFinished);
    EXPECT_DOUBLE_EQ(screen.frameDelta, 0.05);
    EXPECT_DOUBLE_EQ(screen.time, 0.07);
    screen.timeScale = 0.0;
    screen.timeLimit = 0.01;
    frameOf(0.02);
    screen.tick(0.0, 0.0);
    EXPECT_DOUBLE_EQ(screen.time, 0.07);
    EXPECT_EQ(child->steps.back(), 0.0);
    EXPECT_EQ(child->times, (std::vector<double>{0.02, 0.07, 0.07}));
    // The limit finishes the screen on the step that passes it; the step still ticks.
    screen.timeScale = 1.0;
    screen.timeLimit = 0.08;
    frameOf(0.02);
    screen.tick(0.0, 0.0);
    EXPECT_TRUE(screen.bFinished);
    EXPECT_EQ(child->times.size(), 4u);
}

TEST_F(ContextTest, CurrentContextNestsAndBorrowedObjectsRunAround)
{
    Context outer;
    auto* inner = new Context;
    outer.add(inner);
    auto* child = new Watcher;
    inner->add(child);
    Watcher pre;
    Watcher post;
    inner->preObject = &pre;
    inner->postObject = &post;
    core.qel->currentContext = nullptr;
    frameOf(0.02);
    outer.tick(0.0, 0.0);
    EXPECT_EQ(child->contexts.back(), inner);
    EXPECT_EQ(pre.contexts.back(), &outer);
    EXPECT_EQ(post.contexts.back(), &outer);
    EXPECT_EQ(core.qel->currentContext, nullptr);
    // The pre object sees the previous step's clock, the post object the new one.
    EXPECT_EQ(pre.times.back(), 0.0);
    EXPECT_DOUBLE_EQ(post.times.back(), 0.02);
    inner->preObject = inner->postObject = nullptr;
}

TEST_F(ContextTest, MouseWorldFollowsTheCamera)
{
    Context screen;
    core.input->mousePosition = V3(400, 300, 0);
    frameOf(0.02);
    screen.tick(0.0, 0.0);
    V3 centre = screen.camera->screen2world(400, 300, 0);
    EXPECT_FLOAT_EQ(screen.mouseWorld.x, centre.x);
    EXPECT_FLOAT_EQ(screen.mouseWorld.y, centre.y);
    core.input->mousePosition = V3(410, 300, 0);
    frameOf(0.02);
    screen.tick(0.0, 0.0);
    EXPECT_GT(screen.mouseWorldDelta.x, 0.0f);
    EXPECT_EQ(screen.mouseWorldDelta.y, 0.0f);

    // Without a camera the mouse keeps its last world position.
    V3 last = screen.mouseWorld;
    delete screen.camera;
    screen.camera = nullptr;
    core.input->mousePosition = V3(10, 10, 0);
    frameOf(0.02);
    screen.tick(0.0, 0.0);
    EXPECT_EQ(screen.mouseWorld, last);
}

TEST_F(ContextTest, FindContextAndWorldFromContext)
{
    Context screen;
    auto* holder = new QelBase;
    screen.add(holder);
    auto* leaf = new QelBase;
    holder->add(leaf);
    EXPECT_EQ(leaf->findContext(), &screen);
    EXPECT_EQ(screen.findContext(), &screen);
    Context other;
    V3 p = screen.worldFromContext(&other, V3(12, -7, 0));
    EXPECT_NEAR(p.x, 12.0f, 1e-3f);
    EXPECT_NEAR(p.y, -7.0f, 1e-3f);
    std::unique_ptr<QelBase> made(Context::runtimeClass()->create());
    EXPECT_EQ(made->getRuntimeClass(), Context::runtimeClass());
}

TEST(ContextDeathTest, ObjectOutsideAnyScreenHasNoContext)
{
    EXPECT_EXIT(
        {
            std::freopen("/dev/null", "w", stdout);
            EngineCore core;
            QelBase loose;
            loose.findContext();
        },
        testing::ExitedWithCode(255), "");
}
