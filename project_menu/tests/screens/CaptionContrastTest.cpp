// Captions read against what lies under them, as the screens draw it: the
// faces of the menu buttons, the speech buttons and the value boxes in each
// look (normal, hovered with the highlight faded in, greyed), and the
// backdrop under the option pages' rows and the high-score table. Each
// text's glyph box is read back with the text itself left out, and the
// contrast that nine in ten of its pixels reach must be 3:1 (2:1 for a
// greyed caption).
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "context/ContextMenu.h"
#include "graphics/FontQuad.h"
#include "graphics/Skin.h"
#include "gui/MenuButton.h"
#include "gui/MenuGroup.h"
#include "gui/MenuItem.h"
#include "screens/ContextOptionsControls.h"
#include "screens/ContextOptionsGameplay.h"
#include "screens/ContextOptionsGraphics.h"
#include "screens/ContextOptionsSound.h"
#include "screens/ScreenCore.h"
#include "screens/ScreenLayout.h"

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
    double contrastIn(const Box& box, UColor colour) const
    {
        const int x0 = int(box.left) + core.graphics->fovWidth / 2;
        const int y0 = int(box.bottom) + core.graphics->fovHeight / 2;
        const int w = std::max(1, int(box.right - box.left));
        const int h = std::max(1, int(box.top - box.bottom));
        std::vector<unsigned char> rgba(size_t(w * h * 4));
        glReadPixels(x0, y0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        const double text = luminance(colour.r, colour.g, colour.b);
        std::vector<double> ratios;
        for (size_t i = 0; i < rgba.size(); i += 4) {
            const double under = luminance(rgba[i], rgba[i + 1], rgba[i + 2]);
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
