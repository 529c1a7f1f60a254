#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/EventManager.h"
#include "engine/Qel.h"
#include "input/KeyCodes.h"
#include "support/DeviceCore.h"

namespace {

struct Record {
    int type;
    std::string who;
    QelBase* other;
};

// A widget under the mouse or not, recording the events it receives.
class Widget : public QelBase {
public:
    Widget(std::vector<Record>& journal, std::string widgetName, bool under)
        : log(journal), name(std::move(widgetName)), mouseInside(under)
    {
    }
    bool isMouseInside() override { return mouseInside; }
    bool onEvent(Event* e) override
    {
        log.push_back({e->type, name, e->other});
        return true;
    }
    std::vector<Record>& log;
    std::string name;
    bool mouseInside;
};

class EventManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        core.qel->eventManager = &manager;
        input = core.input;
    }
    void TearDown() override { core.qel->eventManager = nullptr; }

    Widget* widget(const std::string& name, bool under)
    {
        auto* w = new Widget(journal, name, under);
        root.add(w);
        return w;
    }
    // One frame with the left button going down (or not).
    void frame(bool press, V3 move = V3())
    {
        input->mouseButtonsBefore[0] = input->mouseButtons[0];
        input->mouseButtons[0] = press ? 1 : input->mouseButtons[0];
        input->mouseDelta = move;
        manager.update(&root);
    }
    std::vector<int> types() const
    {
        std::vector<int> result;
        for (const Record& r : journal) {
            result.push_back(r.type);
        }
        return result;
    }

    DeviceCore core{DeviceCore::INPUT};
    QelInput* input = nullptr;
    QelBase root;
    EventManager manager;
    std::vector<Record> journal;
};

} // namespace

TEST_F(EventManagerTest, HoverIsTheTopmostOrTheOneBelowWithTab)
{
    Widget* lower = widget("lower", true);
    Widget* upper = widget("upper", true);
    frame(false);
    EXPECT_EQ(manager.getHover(), upper);
    EXPECT_TRUE(upper->isHovered());
    input->keys[DIK_TAB] = 1;
    frame(false);
    EXPECT_EQ(manager.getHover(), lower);
}

TEST_F(EventManagerTest, PressMovesTheFocusThenClicks)
{
    Widget* a = widget("a", true);
    frame(true);
    EXPECT_TRUE(a->hasFocus());
    EXPECT_EQ(types(), (std::vector<int>{EVENT_FOCUS_GAINED, EVENT_CLICK}));

    journal.clear();
    a->mouseInside = false;
    Widget* b = widget("b", true);
    input->mouseButtons[0] = 0;
    frame(true);
    ASSERT_EQ(journal.size(), 3u);
    EXPECT_EQ(journal[0].type, EVENT_FOCUS_LOST);
    EXPECT_EQ(journal[0].who, "a");
    EXPECT_EQ(journal[0].other, b);
    EXPECT_EQ(journal[1].type, EVENT_FOCUS_GAINED);
    EXPECT_EQ(journal[1].who, "b");
    EXPECT_EQ(journal[2].type, EVENT_CLICK);
    EXPECT_EQ(journal[2].who, "b");
    EXPECT_TRUE(root.containsFocus());
}

TEST_F(EventManagerTest, PressOverNothingOrSkippingClearsTheFocusAndDisabledKeepsIt)
{
    Widget* a = widget("a", true);
    frame(true);
    Widget* disabled = widget("disabled", true);
    disabled->bDisabled = 1;
    input->mouseButtons[0] = 0;
    frame(true);
    EXPECT_EQ(manager.getFocus(), a);

    a->mouseInside = false;
    disabled->mouseInside = false;
    journal.clear();
    input->mouseButtons[0] = 0;
    frame(true);
    EXPECT_EQ(manager.getFocus(), nullptr);
    ASSERT_FALSE(journal.empty());
    EXPECT_EQ(journal[0].type, EVENT_FOCUS_LOST);
    EXPECT_EQ(journal[0].other, nullptr);

    // A focus that becomes skipped is dropped.
    a->mouseInside = true;
    input->mouseButtons[0] = 0;
    frame(true);
    ASSERT_EQ(manager.getFocus(), a);
    a->bSkip = 1;
    input->mouseButtons[0] = 0;
    frame(false);
    EXPECT_EQ(manager.getFocus(), nullptr);
}

TEST_F(EventManagerTest, MovesAndDragsGoToTheFocus)
{
    widget("a", true);
    frame(true);
    journal.clear();
    frame(false, V3(3, 0, 0));
    EXPECT_EQ(types(), (std::vector<int>{EVENT_MOUSE_MOVED, EVENT_DRAG}));
    journal.clear();
    input->mouseButtons[0] = 0;
    frame(false, V3(0, 2, 0));
    EXPECT_EQ(types(), (std::vector<int>{EVENT_MOUSE_MOVED}));
    EXPECT_EQ(journal[0].who, "a");
}

TEST_F(EventManagerTest, DyingFocusClearsWithoutFocusLost)
{
    Widget* a = widget("a", true);
    frame(true);
    journal.clear();
    delete a;
    EXPECT_EQ(manager.getFocus(), nullptr);
    EXPECT_TRUE(journal.empty());
}

TEST_F(EventManagerTest, PostWithoutTargetGoesToTheSender)
{
    Widget* a = widget("a", false);
    manager.post(EVENT_REFERENCE_NOTICE, a, nullptr);
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].who, "a");
}
