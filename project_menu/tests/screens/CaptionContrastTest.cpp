// Captions read against what lies under them, as the screens draw it: the
// faces of the menu buttons, the speech buttons and the value boxes in each
// look (normal, hovered with the highlight faded in, greyed), the backdrop
// under the option pages' rows, the network wizard's check box, the
// high-score table and the hint lines, the main menu's greeting on its
// plate, and the panel captions and player names on the dialog skin. Each
// text's glyph box is read back with the text itself left out, and the
// contrast that nine in ten of its pixels reach must be 3:1 (2:1 for a
// greyed caption, 3.2:1 for the grey greeting). A half-transparent text is
// judged as it blends with each pixel under it.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "context/ContextMenu.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "graphics/Skin.h"
#include "gui/MenuBool.h"
#include "gui/MenuButton.h"
#include "gui/MenuGroup.h"
#include "gui/MenuItem.h"
#include "gui/MenuUserDisplay.h"
#include "language/Language.h"
#include "screens/ContextMain.h"
#include "screens/ContextNetworkWizard1.h"
#include "screens/ContextNewUser.h"
#include "screens/ContextOptionsControls.h"
#include "screens/ContextOptionsGameplay.h"
#include "screens/ContextOptionsGraphics.h"
#include "screens/ContextOptionsSound.h"
#include "screens/ContextUserManager.h"
#include "screens/ScreenCore.h"
#include "screens/ScreenLayout.h"
#include "text/RenderableText.h"

namespace {

double linear(int byte)
{
    const double c = byte / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(int r, int g, int b) { return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b); }

// A rectangle of the view, origin at the centre, y up.
struct Box {
    float left, bottom, right, top;
};

class CaptionContrast : public testing::Test {
protected:
    // The contrast between the colour and the drawn pixels of the box that
    // nine in ten of them reach.
    // The box is kept within the view.
    double contrastIn(const Box& box, UColor colour) const
    {
        const int x0 = std::max(0, int(box.left) + core.graphics->fovWidth / 2);
        const int y0 = std::max(0, int(box.bottom) + core.graphics->fovHeight / 2);
        const int w = std::max(1, std::min(int(box.right) + core.graphics->fovWidth / 2, core.graphics->fovWidth) - x0);
        const int h = std::max(1, int(box.top - box.bottom));
        std::vector<unsigned char> rgba(size_t(w * h * 4));
        glReadPixels(x0, y0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        const double a = colour.a / 255.0;
        std::vector<double> ratios;
        for (size_t i = 0; i < rgba.size(); i += 4) {
            const double under = luminance(rgba[i], rgba[i + 1], rgba[i + 2]);
            const double text = luminance(int(std::lround(a * colour.r + (1 - a) * rgba[i])),
                                          int(std::lround(a * colour.g + (1 - a) * rgba[i + 1])),
                                          int(std::lround(a * colour.b + (1 - a) * rgba[i + 2])));
            ratios.push_back((std::max(text, under) + 0.05) / (std::min(text, under) + 0.05));
        }
        std::sort(ratios.begin(), ratios.end());
        return ratios[ratios.size() / 10];
    }
    // The middle of the line of a text printed at (x, y) with the print
    // flags' alignment: the band where its letters stand.
    Box glyphBox(FontQuad* font, const UString& text, float x, float y, int flags) const
    {
        const float w = float(font->getTextSize(text).width);
        const float lh = float(font->lineHeight);
        const float left = (flags & 0x04) ? x - w / 2 : (flags & 0x08) ? x - w : x;
        const float raise = (flags & 0x20) ? lh : (flags & 0x10) ? lh / 2 : 0.0f;
        const float top = y + raise;
        return Box{left, top - lh * 0.8f, left + w, top - lh * 0.2f};
    }
    // Where an item prints its caption.
    Box captionBox(const MenuItem* item, const UString& text) const
    {
        const float w = item->pSkin->width;
        const float h = item->pSkin->height;
        const V3& at = item->position;
        switch (item->captionLocation) {
        case MenuItem::CAPTION_CENTRE:
            return glyphBox(item->font, text, at.x, at.y, 0x14);
        case MenuItem::CAPTION_ABOVE:
            return glyphBox(item->font, text, at.x, at.y + h / 2 + 5, 0x24);
        default:
            return glyphBox(item->font, text, at.x - w / 2 - 5, at.y, 0x18);
        }
    }
    // Where a group prints its caption: 30 units below its frame's top.
    Box groupCaptionBox(const MenuGroup* group) const
    {
        return glyphBox(core.global->fontMedium, group->caption, group->position.x,
                        group->position.y + group->pSkin->height / 2 - 30.0f, 0x14);
    }
    static MenuGroup* groupOf(Context* screen)
    {
        for (BasicLink* l = screen->firstChild; l != nullptr; l = l->next) {
            if (auto* group = dynamic_cast<MenuGroup*>(static_cast<QelBase*>(l))) {
                return group;
            }
        }
        return nullptr;
    }
    void run(int frames)
    {
        for (int i = 0; i < frames; ++i) {
            core.frame();
        }
    }
    // A menu screen over the shared backdrop, holding the items.
    ContextMenu* screenOf(const std::vector<MenuItem*>& items)
    {
        auto* screen = new ContextMenu();
        useSharedBackground(screen);
        for (MenuItem* item : items) {
            screen->addChildBack(item);
        }
        core.manager()->add(screen);
        return screen;
    }
    void leave(Context* screen)
    {
        screen->bFinished = 1;
        run(2);
    }

    ScreenCore core;
};

} // namespace

TEST_F(CaptionContrast, CaptionsAndValuesReadOnEveryFaceInEveryLook)
{
    // The widest captions each face carries in the game.
    auto* button = new MenuButton(0, 150, 0, UString("Network Wizard"), UString());
    auto* greyed = new MenuButton(0, 80, 0, UString("Network Wizard"), UString());
    greyed->bInactive = true;
    auto* speech = new MenuButton(0, 10, 0, UString("Return to map"), UString());
    speech->useSpeechSkin();
    speech->setWidth(256);
    // A value box: its value is printed on the face in the caption colour.
    auto* box = new MenuItem(0, -60, 0, UString("Maximum"), UString());
    box->captionLocation = MenuItem::CAPTION_CENTRE;
    auto* greyedBox = new MenuItem(0, -130, 0, UString("Maximum"), UString());
    greyedBox->captionLocation = MenuItem::CAPTION_CENTRE;
    greyedBox->bInactive = true;
    const std::vector<MenuItem*> items = {button, greyed, speech, box, greyedBox};
    std::vector<UString> texts;
    for (MenuItem* item : items) {
        texts.push_back(item->caption);
        item->caption = UString();
    }
    Context* screen = screenOf(items);
    for (size_t i = 0; i < items.size(); ++i) {
        MenuItem* item = items[i];
        const std::string name = std::string(texts[i]) + (item->bInactive ? " greyed" : "");
        core.mouse = V3(380.0f, 280.0f, 0.0f);
        run(20);
        core.manager()->draw();
        EXPECT_GE(contrastIn(captionBox(item, texts[i]), item->textColor), item->bInactive ? 2.0 : 3.0)
            << name << " on its face";
        if (item->bInactive) {
            continue;
        }
        core.mouse = item->position;
        run(20);
        ASSERT_DOUBLE_EQ(item->highlight, 1.0) << name;
        core.manager()->draw();
        EXPECT_GE(contrastIn(captionBox(item, texts[i]), item->textColor), 3.0) << name << " hovered";
    }
    leave(screen);
}

TEST_F(CaptionContrast, OptionRowsAndHighScoresReadOnTheBackdrop)
{
    const UColor white(255, 255, 255, 255);
    const UColor gold(255, 192, 0, 255);
    core.mouse = V3(380.0f, -280.0f, 0.0f);
    for (Context* page : std::initializer_list<Context*>{new ContextOptionsGameplay(), new ContextOptionsControls(),
                                                          new ContextOptionsGraphics(), new ContextOptionsSound()}) {
        core.manager()->add(page);
        std::vector<std::pair<MenuItem*, UString>> rows;
        for (BasicLink* l = page->firstChild; l != nullptr; l = l->next) {
            auto* item = dynamic_cast<MenuItem*>(static_cast<QelBase*>(l));
            // BACK carries its caption on its own face.
            if (item != nullptr && item->captionLocation != MenuItem::CAPTION_CENTRE) {
                rows.emplace_back(item, item->caption);
                item->caption = UString();
            }
        }
        ASSERT_FALSE(rows.empty());
        run(5);
        core.manager()->draw();
        for (const auto& [item, text] : rows) {
            for (UColor colour : {item->normalColor, item->hoverColor}) {
                EXPECT_GE(contrastIn(captionBox(item, text), colour), 3.0)
                    << std::string(text) << " in " << int(colour.r) << "," << int(colour.g) << "," << int(colour.b);
            }
        }
        leave(page);
    }

    // In full screen the network wizard offers to run its test on the
    // desktop, with a check box over the backdrop's railway.
    core.global->settings.fullscreen = true;
    auto* wizard = new ContextNetworkWizard1();
    core.global->settings.fullscreen = false;
    wizard->bSavedFullscreen = false;
    MenuBool* desktop = wizard->checkRunOnDesktop;
    const UString label = desktop->caption;
    desktop->caption = UString();
    core.manager()->add(wizard);
    run(5);
    core.manager()->draw();
    for (UColor colour : {desktop->normalColor, desktop->hoverColor}) {
        EXPECT_GE(contrastIn(captionBox(desktop, label), colour), 3.0)
            << std::string(label) << " in " << int(colour.r) << "," << int(colour.g) << "," << int(colour.b);
    }
    leave(wizard);

    // The table's rows at their places, over the backdrop alone.
    Context* screen = screenOf({});
    run(5);
    core.manager()->draw();
    FontQuad* font = core.global->fontMediumOutline;
    for (int i = 0; i < 10; ++i) {
        const float y = 135.0f - 25.0f * float(i);
        const Box boxes[] = {glyphBox(font, UString("Marco Brennaro"), -320.0f, y, 0x02),
                             glyphBox(font, UString("Level 15-8"), 160.0f, y, 0x08),
                             glyphBox(font, UString("100,000"), 320.0f, y, 0x08)};
        for (const Box& box : boxes) {
            EXPECT_GE(contrastIn(box, white), 3.0) << "row " << i << " white at x " << box.left;
            EXPECT_GE(contrastIn(box, gold), 3.0) << "row " << i << " gold at x " << box.left;
        }
    }
    leave(screen);
}

TEST_F(CaptionContrast, HintLinesReadOnTheBackdropInEveryLanguage)
{
    const UColor white(255, 255, 255, 255);
    Context* screen = screenOf({});
    run(5);
    core.manager()->draw();
    FontQuad* font = core.global->fontSmall;
    const float baseline = float(4 - core.graphics->fovHeight / 2);
    int hints = 0;
    for (int id = 0; id < Language::STRING_COUNT; ++id) {
        const char* name = Language::nameOf(id);
        // The pause box's hint stands over a level's scene, not the backdrop.
        if (name == nullptr || !std::string_view(name).ends_with("HINT") || id == Language::RETURNTOMAPHINT) {
            continue;
        }
        ++hints;
        double least = 21.0;
        int worst = 0;
        for (int language = 0; language < LANGUAGE_MAX; ++language) {
            const UString text(core.qel->language->getTextIn(language, id));
            const double contrast = contrastIn(glyphBox(font, text, 0.0f, baseline, 0x24), white);
            if (contrast < least) {
                least = contrast;
                worst = language;
            }
        }
        EXPECT_GE(least, 3.0) << name << " in language " << worst;
    }
    EXPECT_GE(hints, 20);
    leave(screen);
}

TEST_F(CaptionContrast, TheGreetingReadsOnItsPlateInEveryLanguageForTheWidestName)
{
    const UColor grey(96, 96, 96, 255);
    // Fifteen of the widest character a name may hold.
    FontQuad* medium = core.global->fontMedium;
    const auto width = [medium](char c) { return medium->getTextSize(UString(std::string(1, c))).width; };
    char widest = 'W';
    for (char c = ' '; c < '~'; ++c) {
        if (c != '`' && width(c) > width(widest)) {
            widest = c;
        }
    }
    core.global->profiles.createProfile(UString(std::string(15, widest)));
    core.mouse = V3(380.0f, 280.0f, 0.0f);
    for (int language = 0; language < LANGUAGE_MAX; ++language) {
        core.qel->language->setCurrentLanguage(language);
        auto* menu = new ContextMain();
        core.manager()->add(menu);
        run(5);
        ASSERT_EQ(core.manager()->getActive(), menu);
        RenderableText* greeting = menu->userDisplay->nameText;
        auto* hint = dynamic_cast<RenderableText*>(static_cast<QelBase*>(greeting->next));
        ASSERT_NE(hint, nullptr);
        std::vector<std::pair<Box, UString>> lines;
        for (RenderableText* line : {greeting, hint}) {
            lines.emplace_back(glyphBox(line->font, line->text, line->position.x, line->position.y, line->printFlags),
                               line->text);
            // Hidden, not emptied: the plate takes its width from the texts.
            line->bHidden = true;
        }
        core.manager()->draw();
        for (const auto& [box, text] : lines) {
            EXPECT_GE(contrastIn(box, grey), 3.2) << std::string(text) << " in language " << language;
        }
        leave(menu);
    }
    core.qel->language->setCurrentLanguage(0);
}

TEST_F(CaptionContrast, PanelCaptionsAndPlayerNamesReadOnTheDialogSkin)
{
    const UColor half(255, 255, 255, 128);
    const UColor white(255, 255, 255, 255);
    ProfileStore& profiles = core.global->profiles;
    for (const char* name : {"Marco Brennaro", "Anna", "Wilhelmina"}) {
        profiles.createProfile(UString(name));
    }
    core.mouse = V3(380.0f, 280.0f, 0.0f);
    for (Context* screen :
         std::initializer_list<Context*>{new ContextNewUser(), new ContextOptionsGraphics(), new ContextUserManager()}) {
        core.manager()->add(screen);
        run(5);
        MenuGroup* group = groupOf(screen);
        ASSERT_NE(group, nullptr);
        struct Text {
            Box box;
            UColor colour;
            std::string what;
        };
        std::vector<Text> texts = {{groupCaptionBox(group), half, std::string(group->caption)}};
        group->caption = UString();
        // The players screen lists the names, the current one in white.
        if (dynamic_cast<ContextUserManager*>(screen) != nullptr) {
            for (int i = 0; i < profiles.countProfiles(); ++i) {
                char* name = profiles.getProfile(i).name;
                const float centre = ContextUserManager::ROW_TOP - ContextUserManager::ROW_HEIGHT * (float(i) + 0.5f);
                texts.push_back({glyphBox(core.global->fontMedium, UString(name), ContextUserManager::ROW_LEFT, centre,
                                          0x12),
                                 i == profiles.currentIndex ? white : half, name});
                std::strcpy(name, " ");
            }
        }
        core.manager()->draw();
        for (const Text& text : texts) {
            EXPECT_GE(contrastIn(text.box, text.colour), 3.0) << text.what << " at alpha " << int(text.colour.a);
        }
        leave(screen);
    }
}
