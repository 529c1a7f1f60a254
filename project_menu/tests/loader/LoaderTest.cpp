// The start-up from the first phase through the loader's stages to the
// start-up screens, with the game's own data pack under the virtual X
// server: the stage counts, the menu music, the language choice (stored,
// out of range, through the language screen, single-language editions),
// the bent hand, the fonts and the hand-over.
#include <gtest/gtest.h>

#include <string>

#include "effects/BendQuad.h"
#include "graphics/FontQuad.h"
#include "gui/GUIthemeMinimal.h"
#include "gui/GUIthemeStandard.h"
#include "gui/LanguageFlag.h"
#include "gui/Percentage.h"
#include "loader/StartupCore.h"
#include "screens/ContextAutoConfigure.h"
#include "screens/ContextGameLogo.h"
#include "screens/ContextLanguageSelect.h"
#include "screens/ContextMakerLogo.h"

namespace {

class LoaderRun : public testing::Test {
protected:
    LoaderRun()
    {
        core.linkDataPack();
        core.qel->bMultilanguage = true;
    }

    Loader* start()
    {
        core.global->initPreLoader();
        return dynamic_cast<Loader*>(core.top());
    }
    // Frames with the mouse at a world point of the 800 x 600 view, its
    // left button down or up.
    void frameWithMouse(float x, float y, bool down)
    {
        QelInput* input = core.input;
        input->mouseButtonsBefore[0] = input->mouseButtons[0];
        input->mouseButtons[0] = down ? 1 : 0;
        input->mousePosition = V3(x + 400.0f, y + 300.0f, 0.0f);
        core.global->contextManager->tick(0.0, 0.0);
    }
    void frames(int n)
    {
        for (int i = 0; i < n; ++i) {
            frameWithMouse(0.0f, -280.0f, false);
        }
    }
    bool logHas(const std::string& line) const { return core.logText().find(line) != std::string::npos; }

    StartupCore core;
};

} // namespace

TEST_F(LoaderRun, FirstPhaseRegistersTheBarAndThePointerAndPushesTheLoader)
{
    Loader* loader = start();
    ASSERT_NE(loader, nullptr);
    EXPECT_NE(core.find("gui-game-progressBar"), nullptr);
    EXPECT_NE(core.find("gui-game-progressBar:1"), nullptr);
    EXPECT_NE(core.find("mousePointer:0"), nullptr);
    EXPECT_EQ(core.find("makerlogo"), nullptr) << "the loader loads the rest";
    EXPECT_EQ(loader->totalStages, 100);
    EXPECT_EQ(loader->loadStuff(true), 100);
    EXPECT_EQ(Loader::stageCounter, 0) << "counting performs nothing";
    EXPECT_EQ(loader->bEscapeCloses, 0);
    EXPECT_TRUE(logHas("Loader(): Loading resources..."));
}

TEST_F(LoaderRun, StoredLanguageRunsEveryStageOncePerFrameAndHandsOverToTheStartupScreens)
{
    core.qel->defaultLanguage = 2;
    Loader* loader = start();
    frames(1);
    EXPECT_EQ(Loader::stageCounter, 1);
    EXPECT_FLOAT_EQ(loader->percentage->value, 0.01f);
    frames(2);
    EXPECT_NE(core.find("musicMenu"), nullptr);
    EXPECT_EQ(static_cast<void*>(core.qel->audio->currentMusic), static_cast<void*>(core.find("musicMenu"))) << "menu music starts";
    frames(96);
    EXPECT_EQ(core.global->gameStarts, 0);
    EXPECT_TRUE(logHas("loadStuff(): Multilanguage mode (2)."));
    frames(1);
    EXPECT_EQ(core.global->gameStarts, 1);
    EXPECT_EQ(core.qel->language->getCurrentLanguage(), 2);
    EXPECT_TRUE(logHas("initPostLoader(): Global initialization complete at t="));
    EXPECT_EQ(loader->bFinished, 1);
    EXPECT_FLOAT_EQ(loader->percentage->value, 1.0f);
    // The last pushed runs first; the finished loader stays below them.
    ASSERT_NE(dynamic_cast<ContextAutoConfigure*>(core.top()), nullptr);
    ASSERT_NE(dynamic_cast<ContextMakerLogo*>(core.top()->prev), nullptr);
    ASSERT_NE(dynamic_cast<ContextGameLogo*>(core.top()->prev->prev), nullptr);
    EXPECT_EQ(core.top()->prev->prev->prev, loader);
    ASSERT_NE(core.global->themeStandard, nullptr);
    ASSERT_NE(core.global->themeMinimal, nullptr);
    EXPECT_EQ(core.global->themeStandard->font, core.global->fontSmall);
    EXPECT_EQ(core.global->themeMinimal->font, core.global->fontTiny);
    EXPECT_EQ(loader->loadStuff(false), 100) << "no stage is left";

    // Every key of the table, the fonts and the bent hand.
    EXPECT_EQ(core.find("fontMedium"), core.global->fontMedium);
    EXPECT_EQ(core.find("fontLarge"), core.global->fontLarge);
    EXPECT_NE(core.find("heart:0"), nullptr);
    EXPECT_NE(core.find("applause3"), nullptr);
    EXPECT_NE(core.find("fireworkLaunch"), nullptr) << "with the last sound of the table";
    EXPECT_NE(core.find("logoHoliday:0"), nullptr);
    EXPECT_NE(dynamic_cast<BendQuad*>(core.find("bearHand:bend")), nullptr);
}

TEST_F(LoaderRun, WithoutAStoredLanguageTheLoaderWaitsUnderTheLanguageScreenUntilAFlagIsClicked)
{
    core.qel->defaultLanguage = 7;
    Loader* loader = start();
    frames(99);
    EXPECT_TRUE(logHas("loadStuff(): Multilanguage mode (-1)."));
    ASSERT_NE(dynamic_cast<ContextLanguageSelect*>(core.top()), nullptr);
    EXPECT_FLOAT_EQ(loader->percentage->value, 0.99f);
    frames(5);
    EXPECT_EQ(Loader::stageCounter, 99) << "the loader is not ticked below the language screen";
    EXPECT_EQ(core.global->gameStarts, 0);

    // Hovering the French flag (y 75) names it; a press picks it.
    frameWithMouse(0.0f, 75.0f, false);
    auto* french = dynamic_cast<LanguageFlag*>(core.top()->getChild(1));
    ASSERT_NE(french, nullptr);
    EXPECT_EQ(french->language, 1);
    EXPECT_TRUE(french->bHovered);
    frameWithMouse(0.0f, 75.0f, true);
    EXPECT_EQ(core.qel->defaultLanguage, 1);
    EXPECT_NE(TempFolder::readFile(core.configPath()).find("defaultLanguage=1"), std::string::npos)
        << "on disk at once";
    // The next frame pops the language screen and the loader, active
    // again, hands over.
    frames(1);
    EXPECT_EQ(core.global->gameStarts, 1);
    EXPECT_EQ(loader->bFinished, 1);
    EXPECT_EQ(core.qel->language->getCurrentLanguage(), 1);
    EXPECT_NE(dynamic_cast<ContextAutoConfigure*>(core.top()), nullptr);
}

TEST_F(LoaderRun, SingleLanguageEditionTakesItsLanguageAndAnOutOfRangeOneBecomesEnglish)
{
    core.qel->bMultilanguage = false;
    core.qel->singleLanguage = 9;
    core.qel->defaultLanguage = 3;
    Loader* loader = start();
    EXPECT_EQ(loader->totalStages, 104);
    frames(104);
    EXPECT_TRUE(logHas("loadStuff(): Single language mode (0)."));
    EXPECT_EQ(core.qel->defaultLanguage, 0);
    EXPECT_EQ(core.qel->language->getCurrentLanguage(), 0);
    EXPECT_EQ(core.global->gameStarts, 1);
}

TEST(FontCompleteness, TheFirstMissingSymbolOfTheFirstFourLanguagesIsFatal)
{
    DeviceCore core(0);
    core.qel->language = new Language();
    FontQuad empty;
    EXPECT_FATAL_WITH(core, Global::verifyFontCompleteness(&empty), "Font is missing character");
    delete core.qel->language;
    core.qel->language = nullptr;
}
