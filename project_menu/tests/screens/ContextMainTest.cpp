// The main menu with scripted input: its layout in the 800 x 600 view,
// the buttons polled in their fixed order, buttons of screens the program
// lacks greyed out and harmless, the crash request, and the player's
// greeting with its hover box and first-player prompt.
#include "screens/ContextMain.h"

#include <gtest/gtest.h>

#include "context/MenuCore.h"
#include "gui/MenuButton.h"
#include "gui/MenuUserDisplay.h"
#include "support/ExpectFatal.h"
#include "text/RenderableText.h"

// A screen the class registry can make, standing in for the screens a
// button opens.
class StackTestScreen : public Context {
    QEL_DECLARE_RUNTIME_CLASS()
};
QEL_IMPLEMENT_RUNTIME_CLASS(StackTestScreen, Context::runtimeClass(), QEL_CREATOR(StackTestScreen));

namespace {

class CountingMain : public ContextMain {
public:
    void onButtonStart() override { ++starts; }
    int starts = 0;
};

class ContextMainTest : public testing::Test, public MenuCore {
protected:
    ContextMainTest()
    {
        menu = new CountingMain();
        manager->add(menu);
        tick();
    }
    void clickAt(float x, float y)
    {
        press(x, y);
        tick();
    }
    void addPlayer(const char* name) { global->profiles.createProfile(UString(name)); }

    CountingMain* menu = nullptr;
};

} // namespace

TEST_F(ContextMainTest, TheMenuIsLaidOutInTheViewWithItsChildrenInOrder)
{
    // Escape asks before it closes the menu (answered by the end-to-end test).
    EXPECT_EQ(menu->bConfirmEscape, 1);
    std::vector<BasicLink*> children;
    for (BasicLink* child = menu->firstChild; child != nullptr; child = child->next) {
        children.push_back(child);
    }
    EXPECT_EQ(children, (std::vector<BasicLink*>{menu->userDisplay, menu->buttonStart, menu->buttonHighScores,
                                                 menu->buttonOptions, menu->buttonCredits, menu->buttonWebsite,
                                                 menu->buttonQuit}));
    EXPECT_EQ(menu->buttonStart->caption, "Start game");
    EXPECT_EQ(menu->buttonCredits->position.y, -150.0f);
    // The corner buttons stay in the view also in a bigger window.
    EXPECT_EQ(menu->buttonWebsite->position, V3(300.0f, -250.0f, 0.0f));
    EXPECT_EQ(menu->buttonWebsite->pSkin->width, 160.0f);
    EXPECT_EQ(menu->buttonWebsite->url.rfind("http://", 0), 0u);
    EXPECT_EQ(menu->buttonQuit->position.x, -300.0f);
}

TEST_F(ContextMainTest, ButtonsOfScreensTheProgramLacksAreGreyAndDoNothing)
{
    EXPECT_FALSE(menu->buttonStart->bInactive) << "the start button belongs to the game";
    EXPECT_TRUE(menu->buttonOptions->bInactive);
    EXPECT_TRUE(menu->buttonHighScores->bInactive);
    EXPECT_TRUE(menu->buttonCredits->bInactive);
    clickAt(0.0f, -100.0f);
    clickAt(0.0f, -150.0f);
    EXPECT_EQ(manager->getActive(), menu);
    // A click the screen polls anyway (a shortcut set later) finds no
    // screen to push.
    menu->buttonOptions->bClicked = true;
    tick();
    EXPECT_EQ(manager->getActive(), menu);
    EXPECT_FALSE(manager->addNew("ContextOptions"));
    EXPECT_FALSE(ContextManager::canCreate("MenuButton")) << "not a screen";
    EXPECT_FALSE(ContextManager::canCreate("ContextManager")) << "no creator";
}

TEST_F(ContextMainTest, StartCallsTheGamesHookAndRegisteredScreensArePushed)
{
    clickAt(0.0f, 0.0f);
    EXPECT_EQ(menu->starts, 1);
    EXPECT_EQ(manager->getActive(), menu);
    ASSERT_TRUE(manager->addNew("StackTestScreen"));
    EXPECT_NE(dynamic_cast<StackTestScreen*>(manager->getActive()), nullptr);
}

TEST_F(ContextMainTest, TheQuitButtonEndsTheProgram)
{
    clickAt(-300.0f, -250.0f);
    tick();
    EXPECT_EQ(manager->getActive(), nullptr);
    EXPECT_TRUE(manager->bQuit);
    EXPECT_TRUE(global->exitUrl.empty());
}

TEST_F(ContextMainTest, TheWebsiteButtonLeavesItsAddressForAfterShutdown)
{
    clickAt(300.0f, -250.0f);
    EXPECT_TRUE(manager->bQuit);
    EXPECT_EQ(global->exitUrl, ContextMain::homePage());
}

TEST_F(ContextMainTest, CtrlAltXIsACrashRequestAndXAloneIsNothing)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    script.keyDown(SDLK_x, 'x');
    tick();
    script.keyDown(SDLK_LCTRL);
    tick();
    script.keyUp(SDLK_x);
    script.keyUp(SDLK_LCTRL);
    script.keyDown(SDLK_LALT);
    script.keyDown(SDLK_x, 'x');
    // X let go and pressed again between two frames: a frame up, then down.
    tick();
    tick();
    EXPECT_EQ(manager->getActive(), menu);
    EXPECT_FATAL(
        {
            script.keyDown(SDLK_LCTRL);
            tick();
        },
        "Crash requested");
}

TEST_F(ContextMainTest, TheGreetingNamesThePlayerAndLightsUpUnderThePointer)
{
    MenuUserDisplay* display = menu->userDisplay;
    EXPECT_EQ(display->nameText->position.y, 125.0f);
    EXPECT_EQ(display->nameText->text, "Hello, !");
    EXPECT_TRUE(global->settings.newUserPrompted) << "no player yet";
    addPlayer("Ada");
    tick();
    EXPECT_EQ(display->nameText->text, "Hello, Ada!");
    EXPECT_FALSE(global->settings.newUserPrompted);

    pointAt(99.0f, 125.0f - 35.0f);
    tick();
    EXPECT_TRUE(display->bHovered);
    EXPECT_EQ(display->nameText->color.toWord(), UColor(255, 255, 255, 255).toWord());
    pointAt(100.0f, 125.0f);
    tick();
    EXPECT_FALSE(display->bHovered);
    EXPECT_EQ(display->nameText->color.toWord(), UColor(96, 96, 96, 255).toWord());
    pointAt(0.0f, 125.0f - 36.0f);
    tick();
    EXPECT_FALSE(display->bHovered);
    // Without a player list in the program a click there changes nothing.
    clickAt(0.0f, 120.0f);
    EXPECT_EQ(manager->getActive(), menu);
}
