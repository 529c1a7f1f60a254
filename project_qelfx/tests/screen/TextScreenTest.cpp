// The test screen of the text and effect objects, drawn with the game's
// five fonts and images from the data pack: an accented sentence in each
// language in every font, a wrapped paragraph with colour markup, a waving
// bent quad, a nine-patch frame and a fading timed sprite. Its picture is
// left in the build folder as text-screen.tga.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "effects/BendQuad.h"
#include "effects/RenderableTimed.h"
#include "effects/StretchSkin.h"
#include "engine/Qel.h"
#include "file/FileManager.h"
#include "graphics/FontQuad.h"
#include "graphics/Quad.h"
#include "support/RenderCore.h"
#include "text/RenderableText.h"
#include "text/TextLine.h"
#include "text/TextMarkup.h"
#include "text/TextParagraph.h"
#include "text/TextPhrase.h"

namespace {

// Windows-1252 bytes of a UTF-8 text whose characters all lie in Latin-1.
UString cp1252(const char* utf8)
{
    UString out;
    for (const auto* p = reinterpret_cast<const unsigned char*>(utf8); *p != 0; ++p) {
        if (*p >= 0xC0 && p[1] != 0) {
            out += static_cast<char>(((*p & 0x1F) << 6) | (p[1] & 0x3F));
            ++p;
        } else {
            out += static_cast<char>(*p);
        }
    }
    return out;
}

const char* const SENTENCES[] = {
    "The café's naïve crème brûlée.",
    "Où est l'été ? Déjà Noël à Paris !",
    "Grüße aus Köln: Bären mögen Äpfel.",
    "Perché la città è così più bella?",
    "¡Señor! ¿Qué año es? El pingüino.",
};
const char* const SHORT_SENTENCES[] = {"Café crème!", "Noël à l'été", "Grüße, Bär!", "Città è così", "¿Qué año?"};

struct GameFont {
    const char* name;
    std::vector<const char*> sheets;
    int flags;
    int firstSymbol;
    int spaceWidth;
    int letterSpacing;
    int dropLower;
    int dropUpper;
    bool clearWhite;
    bool useCache;
    bool composites;
};

// The loader's settings of the five fonts.
const GameFont GAME_FONTS[] = {
    {"fontTiny", {"gfx/font/font-tiny.tga"}, 10, 33, 3, 1, 0, 0, true, true, false},
    {"fontSmall", {"gfx/font/font-small.tga"}, 10, 33, 3, 0, 5, 3, true, true, false},
    {"fontMedium", {"gfx/font/font-medium.tga"}, 10, 0, 6, 0, 5, 2, true, true, true},
    {"fontMediumOutline", {"gfx/font/font-mediumoutline.tga"}, 10, 0, 6, -1, 8, 5, false, true, true},
    {"fontLarge",
     {"gfx/font/font-largeoutline-1.tga", "gfx/font/font-largeoutline-2.tga", "gfx/font/font-largeoutline-3.tga",
      "gfx/font/font-largeoutline-4.tga"},
     2, 0, 16, -2, 13, 6, false, false, true},
};

constexpr UColor WHITE(255, 255, 255, 255);

class TextScreen : public testing::Test {
protected:
    TextScreen()
    {
        core.files->bUseWad = true;
        core.files->useWad(UString(VABO_DATA_PACK));
        core.graphics->bTextShadows = true;
        for (const GameFont& spec : GAME_FONTS) {
            auto font = std::make_unique<FontQuad>();
            font->bClearCacheWhite = spec.clearWhite;
            font->bUseCache = spec.useCache;
            font->spaceWidth = spec.spaceWidth;
            font->letterSpacing = spec.letterSpacing;
            font->accentDropLower = spec.dropLower;
            font->accentDropUpper = spec.dropUpper;
            for (size_t i = 0; i < spec.sheets.size(); ++i) {
                Texture* texture = image(spec.sheets[i], spec.flags);
                font->addSourceTexture(texture, i == 0 ? static_cast<u16>(spec.firstSymbol) : FontQuad::CONTINUE);
            }
            if (spec.composites) {
                font->buildCompositeSymbols();
            }
            fonts.push_back(std::move(font));
        }
    }

    Texture* image(const char* path, int flags)
    {
        textures.push_back(std::make_unique<Texture>(UString(path), flags));
        return textures.back().get();
    }

    FontQuad& font(int i) { return *fonts[static_cast<size_t>(i)]; }

    // Prints lines of text from the top-left point down, with shadows.
    float printLines(FontQuad& f, float x, float y, const std::vector<UString>& lines, UColor colour)
    {
        for (const UString& line : lines) {
            RenderableText text(x, y, 0.0f, line, &f, colour);
            text.printFlags = 0;
            text.render();
            y -= static_cast<float>(f.lineHeight + 1);
        }
        return y;
    }

    void drawScreen()
    {
        core.graphics->clear(UColor(38, 84, 140, 255));
        Quad* square = static_cast<Quad*>(image("gfx/gui/game/square.tga", 2)->skins[0]);
        auto panel = [&](float left, float top, float right, float bottom, UColor colour) {
            StretchSkin skin(square);
            skin.setBorders(20, 20, 20, 20);
            skin.resize(right - left, top - bottom);
            Renderable frame;
            frame.color = colour;
            const V3 centre((left + right) / 2, (top + bottom) / 2, 0.0f);
            frame.setPlacement(&skin, &centre, nullptr, nullptr);
            frame.render();
            frame.pSkin = nullptr;
        };
        panel(-392.0f, 292.0f, -6.0f, -292.0f, UColor(255, 255, 255, 235));
        panel(6.0f, -38.0f, 392.0f, -292.0f, UColor(255, 236, 200, 255));

        std::vector<UString> sentences;
        for (const char* s : SENTENCES) {
            sentences.push_back(cp1252(s));
        }
        const UColor heading(255, 214, 80, 255);
        float y = 276.0f;
        const char* names[] = {"fontTiny", "fontSmall", "fontMedium", "fontMediumOutline"};
        const UColor colours[] = {WHITE, WHITE, WHITE, UColor(255, 200, 60, 255)};
        for (int i = 0; i < 4; ++i) {
            y = printLines(font(1), -374.0f, y, {names[i]}, heading) - 2.0f;
            y = printLines(font(i), -374.0f, y, sentences, colours[i]) - 10.0f;
        }

        const UColor rainbow[] = {UColor(255, 90, 90, 255), UColor(255, 170, 60, 255), UColor(255, 235, 80, 255),
                                  UColor(110, 230, 110, 255), UColor(120, 200, 255, 255)};
        float ly = 290.0f;
        for (int i = 0; i < 5; ++i) {
            RenderableText text(28.0f, ly, 0.0f, cp1252(SHORT_SENTENCES[i]), &font(4), rainbow[i]);
            text.printFlags = 0;
            text.render();
            ly -= static_cast<float>(font(4).lineHeight) - 6.0f;
        }

        // The wrapped paragraph, phrase by phrase in its colours.
        const UString markup(1, static_cast<char>(FONT_STYLE_MARKER));
        const UString story = cp1252("Trains roll in with ") + markup + "{D02020}" + cp1252("red, ") + markup +
                              "{1060D0}" + cp1252("blue ") + markup + "{000001}" +
                              cp1252("and ") + markup + "{108020}" + cp1252("green") + markup + "{000001}" +
                              cp1252(" cargo. Fill every dock before the train reaches the end of the line!|"
                                     "Bonne chance, viel Glück!");
        TextParagraph paragraph(story, &font(2), 340);
        float py = -62.0f;
        for (BasicLink* l = paragraph.firstChild; l != nullptr; l = l->next) {
            float px = 26.0f;
            for (BasicLink* p = static_cast<TextLine*>(l)->firstChild; p != nullptr; p = p->next) {
                auto* phrase = static_cast<TextPhrase*>(p);
                const UColor colour =
                    phrase->style == TEXT_STYLE_DEFAULT ? UColor(60, 40, 30, 255) : UColor::fromWord(phrase->style);
                RenderableText text(px, py, 0.0f, phrase->text, &font(2), colour);
                text.printFlags = 0;
                text.bShadowed = false;
                text.render();
                px += static_cast<float>(phrase->width);
            }
            py -= static_cast<float>(font(2).lineHeight + 2);
        }

        // The mascot's hand, waving, and a star halfway through its fade-in.
        Texture* hand = image("gfx/bearHand.tga", 0);
        BendQuad bend;
        bend.bVertical = true;
        bend.copyFrom(static_cast<Quad*>(hand->skins[0]));
        bend.columns = 16;
        bend.allocate();
        bend.setOrigin(4);
        bend.setBend(0.5f * std::sin(4.0f * 0.35f));
        Renderable waving;
        const V3 handAt(60.0f, -5.0f, 0.0f);
        waving.setPlacement(&bend, &handAt, nullptr, nullptr);
        waving.render();
        waving.pSkin = nullptr;

        Texture* star = image("gfx/star.tga", 0);
        RenderableTimed sprite;
        const V3 starAt(318.0f, 8.0f, 0.0f);
        const V3 twice(2.0f, 2.0f, 1.0f);
        sprite.setPlacement(star->skins[0], &starAt, nullptr, &twice);
        sprite.fadeInTime = 0.5;
        sprite.update(0.0, 0.25);
        sprite.render();
        sprite.pSkin = nullptr;
        const UColor caption(200, 225, 255, 255);
        font(1).printAt(140.0f, -14.0f, 0.0f, caption, 0x04, "waving");
        font(1).printAt(318.0f, -14.0f, 0.0f, caption, 0x04, "fading in");
    }

    RenderCore core;
    std::vector<std::unique_ptr<Texture>> textures;
    std::vector<std::unique_ptr<FontQuad>> fonts;
};

} // namespace

TEST_F(TextScreen, EveryFontDrawsEveryCharacterAndCachedSentencesEqualDirectOnes)
{
    for (int f = 0; f < 5; ++f) {
        SCOPED_TRACE(GAME_FONTS[f].name);
        EXPECT_GT(font(f).lineHeight, 0);
        for (const char* s : SENTENCES) {
            const UString text = cp1252(s);
            for (int i = 0; i < static_cast<int>(text.size()); ++i) {
                const u16 symbol = font(f).nextSymbol(text, i);
                if (symbol != ' ') {
                    EXPECT_NE(font(f).symbol(symbol).pQuad, nullptr) << s << " symbol " << symbol;
                }
            }
        }
    }

    for (int f = 0; f < 3; ++f) {
        SCOPED_TRACE(GAME_FONTS[f].name);
        auto draw = [&](int flags) {
            core.graphics->clear(UColor(38, 84, 140, 255));
            float y = 250.0f;
            for (const char* s : SENTENCES) {
                font(f).printAt(-380.0f, y, 0.0f, UColor(255, 240, 200, 255), flags, cp1252(s));
                y -= 40.0f;
            }
            return core.frame();
        };
        const std::unique_ptr<MemoryImageFile> direct = draw(FontQuad::PRINT_NO_CACHE);
        const std::unique_ptr<MemoryImageFile> cached = draw(0);
        EXPECT_GT(font(f).cacheEntries.countChildren(), 0u);
        EXPECT_EQ(std::memcmp(direct->pImageData.get(), cached->pImageData.get(),
                              static_cast<size_t>(direct->width) * direct->height * 4),
                  0);
    }
}

TEST_F(TextScreen, TheScreenIsDrawnAndSaved)
{
    drawScreen();
    const std::unique_ptr<MemoryImageFile> frame = core.frame();
    RenderCore::writeTga(VABO_TEXT_SCREEN, frame->width, frame->height, [&](int x, int y) {
        return UColor::fromWord(frame->pImageData[static_cast<size_t>(y) * frame->width + x] | 0xff000000u);
    });
    // Ink in both columns and in the paragraph's frame.
    EXPECT_NE(core.worldPixel(-200.0f, 0.0f), core.worldPixel(-200.0f, 0.5f) + 1);
    int lit = 0;
    for (int y = 0; y < frame->height; y += 3) {
        for (int x = 0; x < frame->width; x += 3) {
            const u32 p = frame->pImageData[static_cast<size_t>(y) * frame->width + x];
            lit += ((p & 0xff) > 200 && ((p >> 8) & 0xff) > 200) ? 1 : 0;
        }
    }
    EXPECT_GT(lit, 2000);
}
