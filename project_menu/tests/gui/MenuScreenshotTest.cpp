// A menu screen drawn whole through the screen stack in a real window: its
// buttons and progress bar, a dialog over it, the pointer over both and the
// iris fader over everything. The frame is saved as a screenshot (to the
// file named by VABO_SCREENSHOT when that is set) so that it can be looked
// at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "context/MenuCore.h"
#include "graphics/Skin.h"
#include "context/ContextDialog.h"
#include "gui/MenuButton.h"
#include "gui/MousePointer.h"
#include "gui/Percentage.h"
#include "gui/RadialFader.h"

class MenuScreenshotTest : public testing::Test, public MenuCore {};

TEST_F(MenuScreenshotTest, AMenuScreenWithButtonsBarDialogPointerAndFader)
{
    Texture barImage("gfx/gui/game/progressbar.tga", 0);
    auto* screen = new Context();
    screen->bDeleteWhenFinished = 1;
    screen->clearColor = UColor(40, 60, 120, 255);
    auto* bar = new Percentage(&barImage, 0, 1);
    const V3 barAt(0.0f, -150.0f, 0.0f);
    bar->setPlacement(nullptr, &barAt, nullptr, nullptr);
    bar->setValue(0.6f);
    screen->addChildBack(bar);
    const char* captions[] = {"Start game", "High scores", "Options...", "Credits"};
    for (int i = 0; i < 4; ++i) {
        screen->addChildBack(new MenuButton(0.0f, 200.0f - 50.0f * float(i), 0.0f, captions[i], "Help line"));
    }
    auto* quit = new MenuButtonQuit(-300.0f, -250.0f, 0.0f, "Quit", "");
    quit->setWidth(160);
    screen->addChildBack(quit);
    manager->add(screen);
    tick();

    auto* dialog = new ContextDialog();
    dialog->centre = V3(0.0f, 40.0f, 0.0f);
    dialog->title = "Question";
    dialog->text = "Do you want to leave the game now? \x1E{FFC000}Unsaved\x1E{000001} progress stays.";
    dialog->buttonAText = "Yes";
    dialog->buttonBText = "No";
    dialog->build();
    manager->add(dialog);

    global->settings.detail = 1;
    // The pointer on the dialog's first button.
    pointAt(dialog->buttonA->position.x, dialog->buttonA->position.y);
    for (int i = 0; i < 3; ++i) {
        tick();
    }
    EXPECT_TRUE(dialog->buttonA->bHovered);
    manager->fader->amount = 0.35f;
    manager->fader->targetAmount = 0.35f;
    manager->draw();

    // The screen shows in the open middle, the band covers the corners.
    EXPECT_EQ(worldPixel(0.0f, -200.0f), 0x78'3c'28u);
    EXPECT_EQ(worldPixel(-395.0f, 295.0f), RGB_BLACK);
    EXPECT_EQ(worldPixel(395.0f, -295.0f), RGB_BLACK);
    // The dialog's panel covers the screen around its text.
    EXPECT_NE(worldPixel(-300.0f, 40.0f), 0x78'3c'28u);
    // The bar's background and fill differ from the screen behind them.
    EXPECT_NE(worldPixel(-barImage.skins[1]->width / 2 + 4.0f, -150.0f), 0x78'3c'28u);
    EXPECT_NE(worldPixel(barImage.skins[1]->width / 2 - 4.0f, -150.0f), 0x78'3c'28u);

    const char* target = std::getenv("VABO_SCREENSHOT");
    const std::string path = target != nullptr ? target : folder.path + "/menu-screen.jpg";
    graphics->saveScreenshot(UString(path));
    EXPECT_TRUE(std::filesystem::exists(path));
}
