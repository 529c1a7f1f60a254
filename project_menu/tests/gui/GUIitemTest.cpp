// The themed item: its state from the event manager and the object tree,
// the look it draws, its caption and help line, and its children's frame
// of reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"
#include "gui/GUICore.h"
#include "support/ExpectFatal.h"

namespace {

constexpr UColor BLACK(0, 0, 0, 255);

u32 rgb(UColor c)
{
    return u32(c.r) | (u32(c.g) << 8) | (u32(c.b) << 16);
}

class GUIitemTest : public testing::Test, public GUICore {
protected:
    ~GUIitemTest() override
    {
        hoverOn(nullptr);
        focusOn(nullptr);
    }

    // One frame of the engine: input and screen tick, then the object
    // under the pointer.
    void frame()
    {
        tick();
        qel->eventManager->update(manager);
    }
    void hoverOn(QelBase* object) { qel->eventManager->hover.set(object); }
    void focusOn(QelBase* object) { qel->eventManager->setFocus(object); }

    // The columns of world row y, from x0 up to x1, whose pixel is not the
    // frame's centre colour: the first and the last one, or (1, 0) for none.
    std::pair<int, int> inkColumns(float y, int x0, int x1, UColor centre) const
    {
        int first = 1;
        int last = 0;
        for (int x = x0; x <= x1; ++x) {
            if (worldPixel(float(x) + 0.5f, y) != rgb(centre)) {
                if (first > last) {
                    first = x;
                }
                last = x;
            }
        }
        return {first, last};
    }
    // The ink of a caption inside an item at the origin, over the rows of
    // its frame: leftmost and rightmost column.
    std::pair<int, int> captionInk(const GUIitem& item) const
    {
        int first = 1 << 20;
        int last = -(1 << 20);
        const int half = item.width / 2;
        for (int y = -item.height / 2 + 1; y < item.height / 2 - 1; ++y) {
            const auto [a, b] = inkColumns(float(y) + 0.5f, -half, half - 1, CENTRES[1]);
            if (a <= b) {
                first = std::min(first, a);
                last = std::max(last, b);
            }
        }
        return {first, last};
    }
};

} // namespace

TEST_F(GUIitemTest, ANewItemTakesItsThemesLookAndHoverFadesItsCaptionColour)
{
    GUIitem item(standard.get(), 2);
    EXPECT_EQ(item.font, global->fontSmall);
    EXPECT_EQ(GUIitem(minimal.get(), 0).font, global->fontTiny);
    EXPECT_EQ(item.pSkin, nullptr) << "the first draw picks the frame";
    EXPECT_EQ(item.borderTop, 5);
    EXPECT_EQ(item.disabledColor.toWord(), UColor(116, 122, 128, 128).toWord());
    // Zero inner size: the frames are the outset all round.
    EXPECT_EQ(item.normalFrame->width, 2.0f);

    // Hover fades the caption toward the hover colour.
    hoverOn(&item);
    item.update(0.0, 0.1);
    EXPECT_TRUE(item.bHovered);
    EXPECT_DOUBLE_EQ(item.highlight, 0.4);
    // 40 % of the way from (116, 122, 128) to (204, 139, 0), truncated.
    EXPECT_EQ(item.textColor.toWord(), UColor(151, 128, 76, 255).toWord());
    item.update(0.0, 1.0);
    EXPECT_DOUBLE_EQ(item.highlight, 1.0);
    EXPECT_EQ(item.textColor.toWord(), item.hoverColor.toWord());

    hoverOn(nullptr);
    item.update(0.0, 0.1);
    EXPECT_FALSE(item.bHovered);
    EXPECT_DOUBLE_EQ(item.highlight, 0.6);
    item.update(0.0, 1.0);
    EXPECT_DOUBLE_EQ(item.highlight, 0.0);
    EXPECT_EQ(item.textColor.toWord(), item.normalColor.toWord());
}

TEST_F(GUIitemTest, ADisabledAncestorDisablesTheItemsLookColourAndHelp)
{
    Renderable panel;
    auto* item = new GUIitem(standard.get(), 2);
    panel.addChildBack(item);
    item->setSize(100, 20);
    item->setTexts("", "Help", "Not now");
    panel.bDisabled = 1;
    hoverOn(item);
    focusOn(item);
    item->update(0.0, 0.1);
    EXPECT_EQ(item->textColor.toWord(), item->disabledColor.toWord());
    EXPECT_DOUBLE_EQ(item->highlight, 0.4) << "the fade goes on while disabled";
    graphics->clear(BLACK);
    item->render();
    EXPECT_EQ(item->pSkin, item->disabledFrame) << "disabled beats focused";

    panel.bDisabled = 0;
    item->update(0.0, 0.0);
    EXPECT_EQ(item->textColor.toWord(), UColor(151, 128, 76, 255).toWord());
    item->render();
    EXPECT_EQ(item->pSkin, item->focusFrame);
    // The bounding circle follows the frame now in use.
    EXPECT_NEAR(item->boundsRadius, std::hypot(51.0f, 11.0f), 1e-3f);

    focusOn(nullptr);
    item->render();
    EXPECT_EQ(item->pSkin, item->normalFrame);
}

TEST_F(GUIitemTest, ResizingRestylingOrMovingADrawnItemKeepsItsSkinBoundsAndChildrenSound)
{
    GUIitem item(standard.get(), 2);
    item.setSize(100, 20);
    auto* child = new Renderable();
    const V3 offset(10.0f, -5.0f, 0.0f);
    child->setPlacement(nullptr, &offset, nullptr, nullptr);
    item.addChild(child);
    item.render();
    ASSERT_EQ(item.pSkin, item.normalFrame);
    item.setSize(200, 30);
    EXPECT_NEAR(item.boundsRadius, std::hypot(101.0f, 16.0f), 1e-3f);

    // New frames: the old skin is gone with them, and the next draw takes
    // the new normal frame.
    item.setStyle(4);
    EXPECT_EQ(item.pSkin, nullptr);
    item.render();
    EXPECT_EQ(item.pSkin, item.normalFrame);
    EXPECT_EQ(frameSetOf(item.normalFrame), registered("gui-standard-thinframe"));

    // Its children live in the restyled item's frame of reference.
    const V3 at(100.0f, 50.0f, 0.0f);
    item.setPlacement(nullptr, &at, nullptr, nullptr);
    EXPECT_EQ(child->local2world(V3()), V3(110.0f, 45.0f, 0.0f));
    // Moving, turning and scaling the item carry the child along.
    const V3 moved(-20.0f, 0.0f, 0.0f);
    const V3 doubled(2.0f, 2.0f, 1.0f);
    item.setPlacement(nullptr, &moved, nullptr, &doubled);
    EXPECT_EQ(child->local2world(V3()), V3(0.0f, -10.0f, 0.0f));
    // A child flagged for deletion keeps the frame it had.
    child->bDead = 1;
    item.setPlacement(nullptr, &at, nullptr, nullptr);
    EXPECT_EQ(child->local2world(V3()), V3(0.0f, -10.0f, 0.0f));
}

TEST_F(GUIitemTest, AnItemWithoutFramesDrawsOnlyItsCaption)
{
    GUIitem bare(standard.get(), 0);
    bare.setSize(100, 20);
    bare.caption = "Caption";
    graphics->clear(BLACK);
    bare.render();
    EXPECT_EQ(bare.pSkin, nullptr);
    const auto [first, last] = inkColumns(0.5f, -100, 100, BLACK);
    EXPECT_LT(first, 0) << "centred on the position";
    EXPECT_GT(last, 0);
    EXPECT_EQ(worldPixel(-45.5f, 5.5f), rgb(BLACK)) << "no frame";
    // Other locations measure a frame of no size instead of failing.
    bare.captionLocation = GUIitem::CAPTION_INSIDE_LEFT;
    bare.render();
    bare.captionLocation = GUIitem::CAPTION_ABOVE;
    bare.render();
}

TEST_F(GUIitemTest, TheEventManagerPicksAnItemOnlyWhenItHasAFrame)
{
    auto* framed = new GUIitem(standard.get(), 2);
    framed->setSize(100, 20);
    auto* bare = new GUIitem(standard.get(), 0);
    const V3 below(0.0f, -100.0f, 0.0f);
    bare->setPlacement(nullptr, &below, nullptr, nullptr);
    auto* screen = new Context();
    screen->bDeleteWhenFinished = 1;
    screen->addChildBack(framed);
    screen->addChildBack(bare);
    manager->add(screen);
    tick();
    manager->draw();
    EXPECT_EQ(framed->pSkin, framed->normalFrame);

    pointAt(40.0f, 0.0f);
    frame();
    EXPECT_EQ(qel->eventManager->getHover(), framed);
    tick();
    EXPECT_TRUE(framed->bHovered);
    pointAt(0.0f, -100.0f);
    frame();
    EXPECT_EQ(qel->eventManager->getHover(), nullptr);
    tick();
    EXPECT_FALSE(framed->bHovered);
    EXPECT_FALSE(bare->bHovered);
}

TEST_F(GUIitemTest, AnInvalidCaptionLocationIsFatalOnlyWithACaption)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    GUIitem item(standard.get(), 2);
    item.captionLocation = 7;
    graphics->clear(BLACK);
    item.render();
    item.caption = "Caption";
    EXPECT_FATAL(item.render(), "Error: Invalid caption location\\.\n Function: render\\(\\)");
}

TEST_F(GUIitemTest, AnInsideCaptionIsCutToTheItemsWidthLessTheGaps)
{
    GUIitem item(standard.get(), 2);
    item.setSize(100, 20);
    item.captionLocation = GUIitem::CAPTION_INSIDE_LEFT;
    FontQuad* font = item.font;
    // Room of 100 - 2 * 3.
    const int room = 94;
    UString shortCaption = "Wide";
    while (font->getTextSize(shortCaption + "W").width <= room) {
        shortCaption += "W";
    }
    const UString longCaption = shortCaption + "WWWW";
    ASSERT_GT(font->getTextSize(longCaption).width, room);

    // The caption starts at the gap inside the frame's left edge.
    const int start = -51 + 3;
    item.caption = shortCaption;
    graphics->clear(BLACK);
    item.render();
    const auto [shortFirst, shortLast] = captionInk(item);
    EXPECT_GE(shortFirst, start);
    EXPECT_GT(shortLast, start + room - font->getTextSize("WW").width) << "printed whole";

    item.caption = longCaption;
    graphics->clear(BLACK);
    item.render();
    const auto [longFirst, longLast] = captionInk(item);
    EXPECT_EQ(longFirst, shortFirst);
    EXPECT_LT(longLast, start + room) << "cut with the dots inside the room";
    EXPECT_GT(longLast, start + room - font->getTextSize("W...").width);
}

TEST_F(GUIitemTest, TheItemDrawsItsLookCaptionHelpLineAndChildren)
{
    auto* item = new GUIitem(standard.get(), 2);
    item->setSize(100, 20);
    item->setTexts("Options", "Change the settings", "");
    item->captionLocation = GUIitem::CAPTION_ABOVE;
    const V3 at(-200.0f, 100.0f, 0.0f);
    item->setPlacement(nullptr, &at, nullptr, nullptr);
    auto* inner = new GUIitem(minimal.get(), 2);
    inner->setSize(20, 8);
    item->addChild(inner);
    auto* focused = new GUIitem(standard.get(), 3);
    focused->setSize(100, 20);
    const V3 right(200.0f, 100.0f, 0.0f);
    focused->setPlacement(nullptr, &right, nullptr, nullptr);
    auto* disabled = new GUIitem(minimal.get(), 11);
    disabled->setSize(100, 20);
    disabled->bDisabled = 1;
    const V3 low(0.0f, -100.0f, 0.0f);
    disabled->setPlacement(nullptr, &low, nullptr, nullptr);
    disabled->setTexts("Disabled", "", "");
    disabled->captionLocation = GUIitem::CAPTION_RIGHT;

    auto* screen = new Context();
    screen->bDeleteWhenFinished = 1;
    screen->clearColor = BLACK;
    for (GUIitem* each : {item, focused, disabled}) {
        screen->addChildBack(each);
    }
    manager->add(screen);
    tick();
    manager->draw();
    focusOn(focused);
    pointAt(-240.0f, 100.0f);
    frame();
    tick();
    ASSERT_TRUE(item->bHovered);
    manager->draw();

    // Normal look, rim on the outset, nothing beyond it.
    EXPECT_EQ(worldPixel(-160.0f, 95.0f), rgb(CENTRES[1]));
    EXPECT_EQ(worldPixel(-250.5f, 95.0f), rgb(RIM));
    EXPECT_EQ(worldPixel(-251.5f, 95.0f), rgb(BLACK));
    // The child at the item's centre, in its own look.
    EXPECT_EQ(worldPixel(-200.5f, 100.5f), rgb(CENTRES[1]));
    EXPECT_EQ(worldPixel(-209.5f, 100.5f), rgb(RIM));
    // Focused thick frame two pixels beyond the inner size; disabled look.
    EXPECT_EQ(worldPixel(200.0f, 95.0f), rgb(CENTRES[2]));
    EXPECT_EQ(worldPixel(148.5f, 95.0f), rgb(RIM));
    EXPECT_EQ(worldPixel(147.5f, 95.0f), rgb(BLACK));
    EXPECT_EQ(worldPixel(0.0f, -95.0f), rgb(CENTRES[0]));
    // Caption ink above the hovered item and right of the disabled one.
    const auto [aboveFirst, aboveLast] = inkColumns(117.5f, -250, -150, BLACK);
    EXPECT_LT(aboveFirst, aboveLast);
    const auto [rightFirst, rightLast] = inkColumns(-100.5f, 51, 150, BLACK);
    EXPECT_GE(rightFirst, 51 + 1);
    EXPECT_LT(rightFirst, rightLast);
    // The help line at the bottom of the screen.
    const auto [helpFirst, helpLast] = inkColumns(-294.5f, -200, 200, BLACK);
    EXPECT_LT(helpFirst, 0);
    EXPECT_GT(helpLast, 0);

    // A hidden item draws nothing, its children neither.
    item->bHidden = true;
    focused->bHidden = true;
    manager->draw();
    EXPECT_EQ(worldPixel(200.0f, 95.0f), rgb(BLACK));
    EXPECT_EQ(worldPixel(-200.5f, 100.5f), rgb(BLACK));
    item->bHidden = false;
    focused->bHidden = false;
    manager->draw();

    const char* target = std::getenv("VABO_SCREENSHOT");
    const std::string path = target != nullptr ? target : folder.path + "/gui-items.jpg";
    graphics->saveScreenshot(UString(path));
    EXPECT_TRUE(std::filesystem::exists(path));
}
