// A menu screen drawn whole through the screen stack in a real window: its
// contents, the pointer over them and the iris fader over everything. The
// frame is saved as a screenshot (to the file named by VABO_SCREENSHOT when
// that is set) so that it can be looked at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "context/MenuCore.h"
#include "graphics/Skin.h"
#include "gui/MousePointer.h"
#include "gui/Percentage.h"
#include "gui/RadialFader.h"

class MenuScreenshotTest : public testing::Test, public MenuCore {};

TEST_F(MenuScreenshotTest, AMenuScreenWithBarPointerAndFader)
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
    manager->add(screen);

    global->settings.detail = 1;
    // The pointer near the centre, in logical units from the bottom left.
    mouse = V3(430.0f, 320.0f, 0.0f);
    tick();
    manager->fader->amount = 0.35f;
    manager->fader->targetAmount = 0.35f;
    manager->draw();

    // The screen shows in the open middle, the band covers the corners.
    EXPECT_EQ(worldPixel(-100.0f, 100.0f), 0x78'3c'28u);
    EXPECT_EQ(worldPixel(-395.0f, 295.0f), RGB_BLACK);
    EXPECT_EQ(worldPixel(395.0f, -295.0f), RGB_BLACK);
    // The bar's background and fill differ from the screen behind them.
    EXPECT_NE(worldPixel(-barImage.skins[1]->width / 2 + 4.0f, -150.0f), 0x78'3c'28u);
    EXPECT_NE(worldPixel(barImage.skins[1]->width / 2 - 4.0f, -150.0f), 0x78'3c'28u);

    const char* target = std::getenv("VABO_SCREENSHOT");
    const std::string path = target != nullptr ? target : folder.path + "/menu-screen.jpg";
    graphics->saveScreenshot(UString(path));
    EXPECT_TRUE(std::filesystem::exists(path));
}
