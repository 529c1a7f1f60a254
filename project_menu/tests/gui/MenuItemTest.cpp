#include "gui/MenuItem.h"

#include <gtest/gtest.h>

#include "context/ContextDialog.h"
#include "effects/StretchSkin.h"
#include "graphics/Quad.h"
#include "gui/MenuButton.h"
#include "gui/WidgetCore.h"
#include "support/ExpectFatal.h"

namespace {

class MenuItemTest : public testing::Test, public WidgetCore {};

} // namespace

TEST_F(MenuItemTest, ANewItemIs256WideAndAButton320WideAndTheSpeechLookDims)
{
    MenuItem item(10.0f, 20.0f, 0.0f, "Caption", "Help");
    EXPECT_EQ(item.pSkin->width, 256.0f);
    EXPECT_EQ(item.pSkin->height, art->textures[0]->skins[0]->height);
    EXPECT_EQ(item.captionLocation, MenuItem::CAPTION_LEFT);
    EXPECT_EQ(item.font, global->fontMedium);
    item.setWidth(100);
    EXPECT_EQ(item.pSkin->width, 100.0f);
    EXPECT_EQ(item.highlightSprite.pSkin->width, 100.0f);

    MenuButton button(0.0f, 0.0f, 0.0f, "Go", "");
    EXPECT_EQ(button.pSkin->width, 320.0f);
    EXPECT_EQ(button.captionLocation, MenuItem::CAPTION_CENTRE);

    item.useSpeechSkin();
    EXPECT_EQ(item.inactiveColor.toWord(), UColor(191, 191, 191, 255).toWord());
    EXPECT_EQ(item.normalColor.toWord(), UColor(96, 109, 128, 255).toWord());
    EXPECT_FALSE(item.bShadowed);
    EXPECT_EQ(static_cast<StretchSkin*>(item.pSkin)->source, static_cast<Quad*>(art->textures[2]->skins[0]));
}

TEST_F(MenuItemTest, TheFrameEdgesAreHalfOpenAndRotationPlaysNoPart)
{
    auto* item = new MenuItem(0.0f, 0.0f, 0.0f, "", "");
    const float w = item->pSkin->width;
    const float h = item->pSkin->height;
    const V3 turned(0.0f, 0.0f, 1.0f);
    const V3 doubled(2.0f, 2.0f, 1.0f);
    item->setPlacement(nullptr, nullptr, &turned, &doubled);
    screenWith({item});
    struct Probe {
        float x;
        float y;
        bool inside;
    } probes[] = {{-w / 2, 0.0f, true}, {0.0f, -h / 2, true}, {w / 2, 0.0f, false}, {0.0f, h / 2, false},
                  {w / 2 - 1.0f, h / 2 - 1.0f, true}, {w / 2 + 20.0f, 0.0f, false}};
    for (const Probe& p : probes) {
        pointAt(p.x, p.y);
        tick();
        EXPECT_EQ(item->bHovered, p.inside) << p.x << ", " << p.y;
    }
}

TEST_F(MenuItemTest, HighlightFadesAtFourPerSecondAndColoursTheCaption)
{
    MenuItem item(0.0f, 0.0f, 0.0f, "", "");
    Context screen;
    g_qel->currentContext = &screen;
    screen.mouseWorld = V3();
    item.update(0.0, 0.1);
    EXPECT_TRUE(item.bHovered);
    EXPECT_DOUBLE_EQ(item.highlight, 0.4);
    // 40 % of the way from white to (255, 192, 0).
    EXPECT_EQ(item.textColor.r, 255);
    EXPECT_EQ(item.textColor.g, u8(255 + (192 - 255) * 0.4f));
    EXPECT_EQ(item.textColor.b, u8(255 * 0.6f));
    item.update(0.0, 1.0);
    EXPECT_DOUBLE_EQ(item.highlight, 1.0);
    screen.mouseWorld = V3(1000.0f, 0.0f, 0.0f);
    item.bInactive = true;
    item.update(0.0, 0.1);
    EXPECT_FALSE(item.bHovered);
    EXPECT_DOUBLE_EQ(item.highlight, 0.6);
    EXPECT_EQ(item.textColor.toWord(), item.inactiveColor.toWord());
    item.update(0.0, 1.0);
    EXPECT_DOUBLE_EQ(item.highlight, 0.0);
    g_qel->currentContext = nullptr;
}

TEST_F(MenuItemTest, AnInvalidCaptionLocationIsFatalAtTheNextDraw)
{
    // The child process opens its own window.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    MenuItem item(0.0f, 0.0f, 0.0f, "", "");
    item.captionLocation = 7;
    EXPECT_FATAL(item.render(), "Error: Invalid caption location\\.\n Function: render\\(\\)");
}

TEST_F(MenuItemTest, AButtonFiresOnTheFrameTheMouseGoesDownOverItOrItsShortcutIsPressed)
{
    auto* button = new MenuButton(0.0f, 0.0f, 0.0f, "Go", "");
    screenWith({button});
    pointAt(0.0f, 0.0f);
    mouseDown = true;
    tick();
    // The click is taken once.
    EXPECT_TRUE(button->takeClicked());
    EXPECT_FALSE(button->takeClicked());
    tick();
    EXPECT_FALSE(button->takeClicked());
    mouseDown = false;
    tick();
    // A press that misses it does nothing; its shortcut fires it all the same.
    button->shortcut = ' ';
    pointAt(300.0f, 200.0f);
    mouseDown = true;
    tick();
    EXPECT_FALSE(button->takeClicked());
    mouseDown = false;
    script.keyDown(SDLK_SPACE, ' ');
    tick();
    EXPECT_TRUE(button->takeClicked());
    script.keyUp(SDLK_SPACE);
    tick();
    // Neither fires an inactive button.
    button->bInactive = true;
    pointAt(0.0f, 0.0f);
    script.keyDown(SDLK_SPACE, ' ');
    mouseDown = true;
    tick();
    EXPECT_FALSE(button->takeClicked());
}

TEST_F(MenuItemTest, AClickWhoseReleaseCameBeforeTheNextFrameFiresTheButtonOnce)
{
    auto* button = new MenuButton(0.0f, 0.0f, 0.0f, "Go", "");
    screenWith({button});
    QelInput* input = script.input;
    // Taken as grabbed without an X grab, so that tests side by side do not
    // wait for each other.
    input->bTrackMouse = true;
    input->mouseGrabbed = true;
    SDL_Event event{};
    event.button.button = SDL_BUTTON_LEFT;
    for (const Uint8 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
        event.type = type;
        input->onEvent(event);
    }
    int clicks = 0;
    for (int frame = 0; frame < 4; ++frame) {
        script.frame();
        input->mousePosition = V3(400.0f, 300.0f, 0.0f);
        manager->tick(0.0, 0.0);
        clicks += button->takeClicked() ? 1 : 0;
    }
    EXPECT_EQ(clicks, 1);
}

TEST_F(MenuItemTest, AConfirmedButtonFiresOnlyAfterYes)
{
    auto* button = new MenuButton(0.0f, 0.0f, 0.0f, "Reset", "");
    button->confirmText = "Are you sure?";
    Context* screen = screenWith({button});
    press(0.0f, 0.0f);
    EXPECT_FALSE(button->takeClicked());
    auto* dialog = dynamic_cast<ContextDialog*>(manager->getActive());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->answer, &button->confirmAnswer);
    EXPECT_EQ(dialog->buttonAText, "Yes");
    tick();
    // No: the dialog closes and nothing fires.
    press(dialog->buttonB->position.x, dialog->buttonB->position.y);
    tick();
    tick();
    EXPECT_EQ(manager->getActive(), screen);
    EXPECT_EQ(button->confirmAnswer, 1);
    EXPECT_FALSE(button->takeClicked());

    // Yes: fires on the first tick of the screen after the dialog, also
    // when the button has become inactive meanwhile.
    press(0.0f, 0.0f);
    dialog = dynamic_cast<ContextDialog*>(manager->getActive());
    ASSERT_NE(dialog, nullptr);
    tick();
    button->bInactive = true;
    press(dialog->buttonA->position.x, dialog->buttonA->position.y);
    EXPECT_FALSE(button->takeClicked());
    tick();
    EXPECT_TRUE(button->takeClicked());
    EXPECT_EQ(button->confirmAnswer, -1);
}

TEST_F(MenuItemTest, AQuitButtonsClickStillReachesAScreenThatPollsInThisTick)
{
    // What the quit and address buttons do is seen through the main menu.
    auto* quit = new MenuButtonQuit(0.0f, 0.0f, 0.0f, "Quit", "");
    Context* screen = screenWith({quit});
    quit->onClick();
    EXPECT_TRUE(screen->bFinished);
    EXPECT_TRUE(quit->takeClicked());
}
