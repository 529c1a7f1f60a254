#include "context/ContextManager.h"

#include <gtest/gtest.h>

#include "context/MenuCore.h"
#include "context/ContextDialog.h"
#include "audio/QelAudio.h"
#include "engine/TimeKeeper.h"
#include "system/SystemUtils.h"

using Journal = std::vector<std::string>;

namespace {

// Answers the dialog it belongs to during the dialog's own tick, as a
// clicked button does.
class Answer : public QelBase {
public:
    explicit Answer(int value) : choice(value) {}
    void update(double, double) override
    {
        auto* dialog = static_cast<ContextDialog*>(getParent());
        *dialog->answer = choice;
        dialog->bFinished = 1;
    }
    int choice;
};

// A millisecond counter that moves only by the frames' sleeps: the frames'
// own work takes no time.
u32 ticks = 1000;
u32 scriptedTicks()
{
    return ticks;
}
void scriptedSleep(u32 milliseconds)
{
    ticks += milliseconds;
}

} // namespace

class ContextManagerTest : public testing::Test, public MenuCore {};

TEST_F(ContextManagerTest, TwoPushesInOneFrameActivateTheLastFirst)
{
    RecordingScreen* first = push("first");
    RecordingScreen* second = push("second");
    EXPECT_EQ(manager->getActive(), second);
    tick();
    EXPECT_EQ(takeJournal(), (Journal{"second activate first"}));
    EXPECT_EQ(second->ticks, 1);
    EXPECT_EQ(first->ticks, 0);

    second->bFinished = 1;
    tick();
    EXPECT_EQ(takeJournal(), (Journal{"second deactivate finished", "second deleted", "first activate first"}));
    EXPECT_EQ(first->ticks, 1);
}

TEST_F(ContextManagerTest, AScreenPushedOverAnotherDeactivatesItAndReturnsToIt)
{
    RecordingScreen* bottom = push("bottom");
    tick();
    push("top");
    tick();
    EXPECT_EQ(takeJournal(), (Journal{"bottom activate first", "bottom deactivate", "top activate first"}));
    manager->getActive()->bFinished = 1;
    tick();
    // After a pop the screen below is activated without a further deactivate.
    EXPECT_EQ(takeJournal(), (Journal{"top deactivate finished", "top deleted", "bottom activate"}));
    EXPECT_EQ(bottom->ticks, 2);
    EXPECT_EQ(bottom->bFirstActivation, 0);
}

TEST_F(ContextManagerTest, PopsOnlyFromTheTop)
{
    RecordingScreen* bottom = push("bottom");
    RecordingScreen* middle = push("middle");
    push("top");
    tick();
    middle->bFinished = 1;
    tick();
    tick();
    EXPECT_EQ(manager->countChildren(), 3u);
    takeJournal();

    // The finished screen goes with the top, and the third is activated
    // with its own first-time flag.
    manager->getActive()->bFinished = 1;
    tick();
    EXPECT_EQ(takeJournal(), (Journal{"top deactivate finished", "top deleted", "middle deactivate finished",
                                      "middle deleted", "bottom activate first"}));
    EXPECT_EQ(manager->getActive(), bottom);
    EXPECT_FALSE(manager->bQuit);
}

TEST_F(ContextManagerTest, APoppedScreenThatIsNotDeletedIsOnlyUnlinked)
{
    std::unique_ptr<RecordingScreen> owned(push("owned", false));
    tick();
    owned->bFinished = 1;
    tick();
    EXPECT_EQ(takeJournal(), (Journal{"owned activate first", "owned deactivate finished"}));
    EXPECT_EQ(owned->getParent(), nullptr);
    EXPECT_TRUE(manager->bQuit);
}

TEST_F(ContextManagerTest, QuitsWhenTheStackIsEmptyWithoutTickingAnything)
{
    tick();
    EXPECT_TRUE(manager->bQuit);
    EXPECT_EQ(manager->pointerHolder->time, 0.0);
    EXPECT_EQ(manager->getActive(), nullptr);

    int n = 0;
    EXPECT_EQ(manager->pick(&n), nullptr);
}

TEST_F(ContextManagerTest, EscapeFinishesOnlyAScreenThatEscapeCloses)
{
    RecordingScreen* screen = push("screen");
    screen->bEscapeCloses = 0;
    screen->bSkippable = 1;
    tick();
    // Neither Escape nor the skip inputs end a screen that escape does not close.
    tap(SDLK_ESCAPE);
    tap(SDLK_SPACE);
    mouseDown = true;
    tick();
    EXPECT_FALSE(screen->bFinished);
    EXPECT_EQ(manager->countChildren(), 1u);
    mouseDown = false;
    tick();

    screen->bEscapeCloses = 1;
    screen->bSkippable = 0;
    tap(SDLK_ESCAPE);
    // Finished in the frame of the press, popped at the next tick.
    EXPECT_TRUE(manager->bQuit);
}

TEST_F(ContextManagerTest, SkipKeysAndAMouseClickFinishASkippableScreen)
{
    RecordingScreen* screen = push("screen");
    screen->bSkippable = 1;
    tick();
    script.keyDown(SDLK_SPACE);
    tick();
    EXPECT_TRUE(screen->bFinished);

    // Held down, the key does not skip the next screen.
    RecordingScreen* next = push("next");
    next->bSkippable = 1;
    tick();
    tick();
    EXPECT_FALSE(next->bFinished);
    script.keyUp(SDLK_SPACE);
    tick();

    // A click skips even when it hits nothing.
    mouseDown = true;
    tick();
    EXPECT_TRUE(next->bFinished);
    mouseDown = false;
    tick();

    // The skip keys are the record's fifth binding.
    RecordingScreen* rebound = push("rebound");
    rebound->bSkippable = 1;
    global->settings.keyBindings[SettingsRecord::SKIP_BINDING].key = DIK_X;
    tick();
    tap(SDLK_SPACE);
    EXPECT_FALSE(rebound->bFinished);
    script.keyDown(SDLK_x);
    tick();
    EXPECT_TRUE(rebound->bFinished);
}

TEST_F(ContextManagerTest, EscapeOnAScreenThatAsksShowsTheConfirmation)
{
    RecordingScreen* loader = push("loader");
    loader->bFinished = 1;
    // A screen finished below the top stays until the top goes.
    manager->removeChild(loader);
    manager->addChildBack(loader);
    RecordingScreen* menu = push("menu");
    menu->bConfirmEscape = 1;
    tick();
    tap(SDLK_ESCAPE);
    auto* dialog = dynamic_cast<ContextDialog*>(manager->getActive());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->text, "Are you sure?");
    EXPECT_EQ(dialog->buttonAText, "Yes");
    EXPECT_EQ(dialog->buttonBText, "No");
    EXPECT_EQ(dialog->answer, &manager->dialogAnswer);
    EXPECT_EQ(manager->dialogAnswer, -1);
    EXPECT_FALSE(dialog->bSkippable);
    EXPECT_FALSE(menu->bFinished);

    // "Yes" during the dialog's tick finishes the screen that asked.
    tick();
    dialog->addChildBack(new Answer(0));
    tick();
    EXPECT_TRUE(menu->bFinished);
    EXPECT_EQ(manager->dialogAnswer, -1);
    takeJournal();
    tick();
    EXPECT_EQ(takeJournal(), (Journal{"menu deactivate finished", "menu deleted", "loader deactivate finished",
                                      "loader deleted"}));
    EXPECT_TRUE(manager->bQuit);
}

TEST_F(ContextManagerTest, EscapeOnTheConfirmationKeepsTheScreenThatAsked)
{
    RecordingScreen* menu = push("menu");
    menu->bConfirmEscape = 1;
    tick();
    tap(SDLK_ESCAPE);
    ASSERT_NE(dynamic_cast<ContextDialog*>(manager->getActive()), nullptr);
    tap(SDLK_ESCAPE);
    tick();
    EXPECT_EQ(manager->getActive(), menu);
    EXPECT_FALSE(menu->bFinished);
    EXPECT_EQ(manager->dialogAnswer, -1);
    // "No" leaves the answer at 1, and the screen stays too.
    tap(SDLK_ESCAPE);
    manager->getActive()->addChildBack(new Answer(1));
    tick();
    tick();
    EXPECT_EQ(manager->dialogAnswer, 1);
    EXPECT_EQ(manager->getActive(), menu);
    EXPECT_FALSE(menu->bFinished);
}

TEST_F(ContextManagerTest, PickReachesOnlyTheTopScreen)
{
    class Target : public QelBase {
    public:
        bool isMouseInside() override { return true; }
    };
    RecordingScreen* bottom = push("bottom");
    auto* hit = new Target();
    bottom->addChildBack(hit);
    int n = 0;
    EXPECT_EQ(manager->pick(&n), hit);
    push("top");
    n = 0;
    EXPECT_EQ(manager->pick(&n), nullptr);
}

TEST_F(ContextManagerTest, TheActiveScreensPointerFlagReachesTheInputAndItsPointerTicks)
{
    class Counter : public QelBase {
    public:
        void update(double, double) override { ++updates; }
        int updates = 0;
    };
    Counter pointer;
    RecordingScreen* screen = push("screen");
    screen->bShowPointer = 0;
    screen->pointerObject = &pointer;
    tick();
    EXPECT_FALSE(script.input->releaseGrabAtEdge);
    tick();
    EXPECT_EQ(pointer.updates, 2) << "with the manager's clock";
    push("pointer");
    tick();
    EXPECT_TRUE(script.input->releaseGrabAtEdge);
}

TEST_F(ContextManagerTest, DeletingTheManagerDeletesEveryScreenOnTheStack)
{
    push("kept", false);
    push("deleted");
    tick();
    delete global->contextManager;
    global->contextManager = nullptr;
    EXPECT_EQ(takeJournal(), (Journal{"deleted activate first", "deleted deleted", "kept deleted"}));
}

// The readout shows the rate at which frames really end, which the frame
// period sets, not the rate the work alone would allow (unbounded here).
TEST_F(ContextManagerTest, TheFrameRateReadoutShowsTheRateTheFramesReach)
{
    setTickSource(&scriptedTicks);
    setSleeper(&scriptedSleep);
    qel->timeKeeper = new TimeKeeper();
    qel->audio = new QelAudio();
    global->settings.showFps = true;
    push("menu");
    for (double period : {0.025, 0.05, 0.1}) {
        qel->startFrameTimer(period);
        u32 frameTicks = 0;
        for (int i = 0; i < 12; ++i) {
            const u32 before = ticks;
            qel->frame(manager);
            frameTicks = ticks - before;
        }
        // The timer paces to within a few milliseconds of the period.
        const double reached = 1000.0 / frameTicks;
        EXPECT_NEAR(reached, 1.0 / period, 0.1 / period);
        EXPECT_EQ(manager->frameRateText(), formatString("%.1lf", reached)) << period;
    }
    delete qel->audio;
    qel->audio = nullptr;
    delete qel->timeKeeper;
    qel->timeKeeper = nullptr;
    setTickSource(nullptr);
    setSleeper(nullptr);
}
