// The value rows, a text field and a message panel drawn together in a real
// window with the fonts of the data pack. The frame is saved as a TGA
// in the build folder (or to the file named by VABO_SCREENSHOT)
// so that it can be looked at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "gui/MenuBool.h"
#include "gui/MenuCountry.h"
#include "gui/MenuEnum.h"
#include "gui/MenuInt.h"
#include "gui/MenuString.h"
#include "gui/MenuVolume.h"
#include "gui/MessageViewer.h"
#include "gui/WidgetCore.h"
#include "support/RenderCore.h"

class WidgetScreenshotTest : public testing::Test, public WidgetCore {};

TEST_F(WidgetScreenshotTest, ValueRowsTextFieldAndMessagePanel)
{
    SettingsRecord& settings = global->settings;
    settings.detail = 1;
    settings.maxFps = 60;
    settings.videoMode = 2;
    settings.soundVolume = 17;
    settings.tutorial = true;
    settings.countryIndex = 0;
    char name[16] = "Player";

    auto* spinner = new MenuInt(80.0f, 250.0f, 0.0f, "Frame rate", "Frames per second", &settings.maxFps, 25, 125, 5);
    auto* modes = new MenuEnum(80.0f, 200.0f, 0.0f, "Resolution", "", &settings.videoMode, 0, 3,
                               Language::ENUMVIDEOMODES0);
    auto* volume = new MenuVolume(80.0f, 150.0f, 0.0f, "Sound volume", "", &settings.soundVolume, 0, 24);
    auto* box = new MenuBool(80.0f, 100.0f, 0.0f, "Help messages", "", &settings.tutorial);
    auto* country = new MenuCountry(80.0f, 50.0f, 0.0f, "Country", "", &settings.countryIndex);
    auto* field = new MenuString(80.0f, 0.0f, 0.0f, "Name", "Type your name", name, 15);
    auto* viewer = new MessageViewer();
    viewer->position = V3(0.0f, -120.0f, 0.0f);
    viewer->width = 500;
    Context* screen = screenWith({spinner, modes, volume, box, country, field, viewer});
    screen->bEscapeCloses = 0;
    viewer->addMessage("Connected.");
    viewer->addMessage("The server answered with a reply long enough to be wrapped over more than one line of "
                       "this panel.");
    viewer->addMessage("Done.");

    // A country chosen by its letter, then the pointer over the field with
    // its cursor shown and over the spinner so that its arrows fade in.
    pointAt(80.0f, 50.0f);
    type(SDLK_f, 'f');
    type(SDLK_f, 'f');
    type(SDLK_f, 'f');
    pointAt(80.0f, 0.0f);
    type(SDLK_s, 's');
    pointAt(80.0f, 250.0f);
    for (int frame = 0; frame < 8; ++frame) {
        advance(1.0 / 32.0);
    }
    field->bCursorVisible = true;
    EXPECT_STREQ(name, "Players");
    EXPECT_EQ(country->valueText(), "FK (Falkland Islands / Malvinas)");
    manager->draw();
    // The spinner shows both arrows in the hover colour.
    EXPECT_GT(orangePixels(80.0f - 113.0f, 238.0f, 80.0f - 93.0f, 262.0f), 10);
    EXPECT_GT(orangePixels(80.0f + 93.0f, 238.0f, 80.0f + 113.0f, 262.0f), 10);

    const float halfWidth = float(graphics->fovWidth / 2);
    const float halfHeight = float(graphics->fovHeight / 2);
    const std::vector<u32> frame = drawnPixels(-halfWidth, -halfHeight, halfWidth, halfHeight);
    const int width = graphics->fovWidth;
    const int height = graphics->fovHeight;
    ASSERT_EQ(frame.size(), size_t(width * height));
    const char* target = std::getenv("VABO_SCREENSHOT");
    const std::filesystem::path buildFolder = std::filesystem::path(VABO_DATA_PACK).parent_path().parent_path();
    const std::string path = target != nullptr ? target : (buildFolder / "widget-rows.tga").string();
    // The back buffer's rows run from the bottom up.
    RenderCore::writeTga(path, width, height,
                         [&](int x, int y) { return UColor::fromWord(frame[size_t((height - 1 - y) * width + x)] | 0xFF000000u); });
    EXPECT_TRUE(std::filesystem::exists(path));
}
