// The options menu and its four pages after a real start-up: every row of
// every page bound to its field of the settings record with its range,
// place and size; the settings pushed into the engine when a page is left
// (by BACK or Escape), never while it is merely covered, and never by the
// Gameplay page; the record written when a changed page is left; the
// language asked again at the next start.
#include "screens/ContextOptions.h"

#include <gtest/gtest.h>

#include <functional>

#include "context/ContextDialog.h"
#include "global/UserFiles.h"
#include "graphics/Skin.h"
#include "gui/MenuBool.h"
#include "gui/MenuButton.h"
#include "gui/MenuEnum.h"
#include "gui/MenuGroup.h"
#include "gui/MenuVolume.h"
#include "screens/ContextHelp.h"
#include "screens/ContextOptionsControls.h"
#include "screens/ContextOptionsGameplay.h"
#include "screens/ContextOptionsGraphics.h"
#include "screens/ContextOptionsSound.h"
#include "screens/ScreenCore.h"

namespace {

enum Kind { CHECK, NUMBER, CHOICE, VOLUME, GROUP };

// One widget of a page as the player sees it in the 800 x 600 view.
struct Expected {
    Kind kind;
    float x;
    float y;
    const void* field;
    int min;
    int max;
    // The step of a number, the text of a choice's first value.
    int stepOrText;
    float width;
};

Kind kindOf(const QelBase* item)
{
    if (dynamic_cast<const MenuGroup*>(item) != nullptr) {
        return GROUP;
    }
    if (dynamic_cast<const MenuBool*>(item) != nullptr) {
        return CHECK;
    }
    if (dynamic_cast<const MenuVolume*>(item) != nullptr) {
        return VOLUME;
    }
    return dynamic_cast<const MenuEnum*>(item) != nullptr ? CHOICE : NUMBER;
}

class OptionPages : public testing::Test {
protected:
    // The page's widgets between its title and BACK.
    std::vector<Renderable*> widgetsOf(Context* page)
    {
        std::vector<Renderable*> found;
        for (BasicLink* l = page->firstChild->next; l != page->lastChild; l = l->next) {
            found.push_back(static_cast<Renderable*>(l));
        }
        return found;
    }
    void leaveByEscape()
    {
        core.type(SDLK_ESCAPE);
        core.frame();
    }

    ScreenCore core;
    SettingsRecord& r = core.global->settings;
};

} // namespace

TEST_F(OptionPages, EveryRowIsBoundToItsFieldWithItsRangeAndPlace)
{
    using L = Language;
    struct PageCase {
        std::function<Context*()> make;
        std::vector<Expected> rows;
    };
    const PageCase pages[] = {
        {[] { return new ContextOptionsGameplay(); },
         {{CHECK, 0, 100, &r.tutorial, 0, 0, 0, 50},
          {CHECK, 0, 50, &r.colorBlind, 0, 0, 0, 50},
          {CHECK, 0, 0, &r.colorizeMouse, 0, 0, 0, 50},
          {CHECK, 0, -50, &r.allowCheats, 0, 0, 0, 50}}},
        {[] { return new ContextOptionsControls(); },
         {{CHECK, -39, 0, &r.swapMouse, 0, 0, 0, 50},
          {CHOICE, 64, -50, &r.mouseSensitivity, 0, 4, L::ENUMSENSITIVITY0, 256}}},
        {[] { return new ContextOptionsGraphics(); },
         {{CHOICE, -200, 0, &r.detail, 0, 1, L::ENUMDETAIL0, 256},
          {GROUP, 175, 0, nullptr, 0, 0, 0, 434},
          {CHOICE, 255, 110, &r.videoMode, 1, 3, L::ENUMVIDEOMODES0, 160},
          {NUMBER, 255, 60, &r.maxFps, 25, 125, 5, 160},
          {CHECK, 200, 10, &r.fullscreen, 0, 0, 0, 50},
          {CHECK, 200, -40, &r.vsync, 0, 0, 0, 50},
          {CHECK, 200, -90, &r.bilinearFilter, 0, 0, 0, 50},
          {CHECK, 200, -140, &r.showFps, 0, 0, 0, 50}}},
        {[] { return new ContextOptionsSound(); },
         {{CHOICE, 64, 100, &r.soundQuality, 0, 2, L::ENUMSOUNDQUALITY0, 256},
          {VOLUME, 64, 50, &r.soundVolume, 0, 24, 1, 256},
          {VOLUME, 64, 0, &r.musicVolume, 0, 24, 1, 256},
          {CHECK, -39, -50, &r.ingameMusic, 0, 0, 0, 50}}},
    };
    for (const PageCase& pageCase : pages) {
        Context* page = pageCase.make();
        core.manager()->add(page);
        core.frame();
        const std::vector<Renderable*> widgets = widgetsOf(page);
        ASSERT_EQ(widgets.size(), pageCase.rows.size()) << page->getRuntimeClass()->name;
        for (size_t i = 0; i < widgets.size(); ++i) {
            const Expected& e = pageCase.rows[i];
            Renderable* w = widgets[i];
            SCOPED_TRACE(testing::Message() << page->getRuntimeClass()->name << " row " << i);
            EXPECT_EQ(kindOf(w), e.kind);
            EXPECT_EQ(w->position, V3(e.x, e.y, 0.0f));
            EXPECT_EQ(w->pSkin->width, e.width);
            if (auto* check = dynamic_cast<MenuBool*>(w)) {
                EXPECT_EQ(check->pValue, e.field);
            } else if (auto* number = dynamic_cast<MenuInt*>(w)) {
                EXPECT_EQ(number->pValue, e.field);
                EXPECT_EQ(number->minValue, e.min);
                EXPECT_EQ(number->maxValue, e.max);
                auto* choice = dynamic_cast<MenuEnum*>(w);
                EXPECT_EQ(choice != nullptr ? choice->firstTextId : number->step, e.stepOrText);
                EXPECT_EQ(number->captionLocation,
                          number->pValue == &r.detail ? MenuItem::CAPTION_ABOVE : MenuItem::CAPTION_LEFT);
            }
        }
        EXPECT_EQ(static_cast<MenuButton*>(page->lastChild)->caption, core.qel->language->getText(Language::BACK));
        page->bFinished = 1;
        core.frame();
    }
}

TEST_F(OptionPages, LeavingAPageAppliesTheSettingsButBeingCoveredDoesNot)
{
    struct Case {
        std::function<Context*()> make;
        i32 sensitivity;
        double scaleAfter;
    };
    const Case cases[] = {
        {[] { return new ContextOptionsControls(); }, 4, 1.5},
        {[] { return new ContextOptionsGraphics(); }, 0, 0.5},
        {[] { return new ContextOptionsSound(); }, 3, 1.25},
        {[] { return new ContextOptionsGameplay(); }, 1, 1.25},
    };
    for (int i = 0; i < 4; ++i) {
        r.mouseSensitivity = cases[i].sensitivity;
        Context* page = cases[i].make();
        core.manager()->add(page);
        core.frame();
        const double before = core.qel->input->mouseScale;
        core.manager()->add(new ContextHelp());
        core.frame();
        core.type(SDLK_ESCAPE);
        EXPECT_EQ(core.manager()->getActive(), page);
        EXPECT_EQ(core.qel->input->mouseScale, before) << "covered, page " << i;
        if (i == 2) {
            const V3 back = static_cast<Renderable*>(page->lastChild)->position;
            core.click(back.x, back.y);
        } else {
            leaveByEscape();
        }
        EXPECT_EQ(core.manager()->getActive(), nullptr);
        EXPECT_EQ(core.qel->input->mouseScale, cases[i].scaleAfter) << "left, page " << i;
    }
    EXPECT_FALSE(core.qel->bRestartRequested) << "the video mode stayed";
}

TEST_F(OptionPages, APageWritesTheRecordOnceWhenItIsLeftWithAChangeAndNeverWithout)
{
    const std::string file = core.folder.userFolder() + SettingsRecord::getFileName();
    r.save();
    std::filesystem::remove(file);
    core.manager()->add(new ContextOptionsGameplay());
    core.frame();
    leaveByEscape();
    EXPECT_FALSE(std::filesystem::exists(file)) << "left unchanged";

    const bool tutorial = r.tutorial;
    core.manager()->add(new ContextOptionsGameplay());
    core.frame();
    core.click(0.0f, 100.0f);
    core.click(0.0f, 50.0f);
    EXPECT_NE(r.tutorial, tutorial);
    EXPECT_FALSE(std::filesystem::exists(file)) << "not on a click";
    core.manager()->add(new ContextHelp());
    core.frame();
    core.type(SDLK_ESCAPE);
    EXPECT_FALSE(std::filesystem::exists(file)) << "not while covered";
    leaveByEscape();
    EXPECT_EQ(core.manager()->getActive(), nullptr);
    EXPECT_TRUE(isOnDisk(r));
}

TEST_F(OptionPages, TheLanguageButtonAsksForTheLanguageAtTheNextStart)
{
    auto* options = new ContextOptions();
    core.manager()->add(options);
    core.frame();
    ASSERT_NE(options->buttonLanguage, nullptr);
    EXPECT_EQ(options->buttonLanguage->position.y, -150.0f);
    EXPECT_FALSE(options->buttonNetworkWizard->bInactive);
    core.qel->defaultLanguage = 0;
    core.click(0.0f, -150.0f);
    auto* dialog = dynamic_cast<ContextDialog*>(core.manager()->getActive());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->title, "Language");
    EXPECT_EQ(dialog->countButtons(), 1);
    EXPECT_EQ(core.qel->defaultLanguage, -1);
    EXPECT_NE(TempFolder::readFile(core.configPath()).find("defaultLanguage=-1"), std::string::npos)
        << "on disk at once";
    EXPECT_EQ(core.qel->language->getCurrentLanguage(), 0) << "the language in use stays";
    core.type(SDLK_SPACE, ' ');
    EXPECT_EQ(core.manager()->getActive(), options);

    core.click(0.0f, -250.0f);
    EXPECT_NE(dynamic_cast<ContextHelp*>(core.manager()->getActive()), nullptr);
}
