// Phrases, lines and paragraphs measured in a quad font, and the timed text
// object that prints through it.
#include <gtest/gtest.h>

#include <memory>

#include "engine/Qel.h"
#include "graphics/FontQuad.h"
#include "support/GlyphSheet.h"
#include "text/RenderableText.h"
#include "text/TextLine.h"
#include "text/TextParagraph.h"
#include "text/TextPhrase.h"

namespace {

const UString M(1, static_cast<char>(FONT_STYLE_MARKER));
constexpr UColor WHITE(255, 255, 255, 255);

// 'a' to 'z' 20 wide and 16 high, letter spacing 0, a space of 4.
class TextLayout : public testing::Test {
protected:
    TextLayout()
    {
        writeGlyphSheet("letters.tga", 26, [](int) { return GlyphCell{20, 16}; });
        letters = std::make_unique<Texture>(UString("letters.tga"), Texture::TEXTURE_KEEP_SOURCE);
        font.letterSpacing = 0;
        font.addSourceTexture(letters.get(), 'a');
    }

    std::vector<TextLine*> lines(TextParagraph& p)
    {
        std::vector<TextLine*> result;
        for (BasicLink* l = p.firstChild; l != nullptr; l = l->next) {
            result.push_back(static_cast<TextLine*>(l));
        }
        return result;
    }

    static TextPhrase* phrase(TextLine* line, int n) { return static_cast<TextPhrase*>(line->getChild(n)); }

    RenderCore core;
    std::unique_ptr<Texture> letters;
    FontQuad font;
};

} // namespace

TEST_F(TextLayout, LinesAreCutIntoPhrasesOfOneStyleAndParagraphsWrapAtTheWidth)
{
    TextLine line("hello " + M + "{FF0000}world", &font);
    ASSERT_EQ(line.countChildren(), 2u);
    EXPECT_EQ(phrase(&line, 0)->text, "hello ");
    EXPECT_EQ(phrase(&line, 0)->width, 104);
    EXPECT_EQ(phrase(&line, 0)->style, 0x00010000u);
    EXPECT_EQ(phrase(&line, 1)->style, 0xFF0000FFu);
    EXPECT_EQ(phrase(&line, 1)->width, 100);
    EXPECT_EQ(line.width, 204);

    TextParagraph two("aaa bbb", &font, 100);
    ASSERT_EQ(two.countChildren(), 2u);
    EXPECT_EQ(phrase(lines(two)[0], 0)->text, "aaa");
    EXPECT_EQ(two.width, 60);
    TextParagraph one("aaa bbb", &font, 124);
    EXPECT_EQ(one.countChildren(), 1u);
    EXPECT_EQ(one.width, 124);

    TextParagraph wide("abcdefghij k", &font, 100);
    EXPECT_EQ(wide.width, 200) << "a word wider than the limit overflows";

    TextParagraph coloured(M + "{00FF00}aaa bbb", &font, 100);
    ASSERT_EQ(coloured.countChildren(), 2u);
    EXPECT_EQ(phrase(lines(coloured)[0], 0)->style, 0xFF00FF00u);
    EXPECT_EQ(phrase(lines(coloured)[1], 0)->style, 0x00010000u) << "the colour ends with its line";

    TextParagraph forced("one|", &font, 1000);
    EXPECT_EQ(forced.countChildren(), 2u);
    EXPECT_EQ(lines(forced)[1]->countChildren(), 0u) << "an empty last line";
    TextParagraph empty("", &font, 100);
    EXPECT_EQ(empty.countChildren(), 0u);
    EXPECT_EQ(empty.width, 0);
}

TEST_F(TextLayout, TimedTextsFadeInStayFadeOutWaitForTheirDelayAndCanLiveAgain)
{
    RenderableText text(0, 0, 0, "abc", &font, WHITE);
    text.fadeInTime = 0.25;
    text.fadeOutTime = 0.5;
    text.lifeTime = 3.0;
    text.update(0.0, 0.125);
    EXPECT_EQ(text.color.a, 127);
    text.update(0.0, 0.125);
    EXPECT_EQ(text.color.a, 255);
    text.update(0.0, 2.25);
    EXPECT_EQ(text.color.a, 255);
    text.update(0.0, 0.4);
    EXPECT_EQ(text.color.a, 51);
    text.update(0.0, 1.0);
    EXPECT_EQ(text.elapsed, 3.0);
    EXPECT_FALSE(text.bDead) << "the update that reaches the end keeps it";
    text.update(0.0, 0.1);
    EXPECT_TRUE(text.bDead);

    RenderableText plain(0, 0, 0, "abc", &font, UColor(255, 255, 255, 99));
    plain.update(0.0, 5.0);
    EXPECT_EQ(plain.color.a, 99) << "without fades the alpha is the constructor's";

    // A delay keeps a text hidden; the update that ends it counts whole.
    RenderableText waiting(0, 0, 0, "abc", &font, WHITE);
    waiting.delay = 1.0;
    waiting.update(0.0, 0.5);
    EXPECT_EQ(waiting.elapsed, 0.0);
    waiting.update(0.0, 0.6);
    EXPECT_EQ(waiting.elapsed, 0.6) << "the update that ends the delay counts whole";

    RenderableText kept(0, 0, 0, "abc", &font, WHITE);
    kept.bRemoveWhenDone = false;
    kept.lifeTime = 1.0;
    kept.update(0.0, 2.0);
    kept.update(0.0, 2.0);
    EXPECT_FALSE(kept.bDead);
    kept.setText("def", 5.0, 0.0);
    EXPECT_EQ(kept.elapsed, 0.0);
    EXPECT_EQ(kept.text, "def");

    RenderableText ending(0, 0, 0, "abc", &font, WHITE);
    ending.fadeOutTime = 0.5;
    ending.lifeTime = 3.0;
    ending.update(0.0, 2.8);
    ending.delay = 4.0;
    ending.fadeOut();
    EXPECT_EQ(ending.lifeTime, 3.0) << "less than the fade-out is left";
    EXPECT_EQ(ending.delay, 0.0);
    RenderableText blank(0, 0, 0, "", &font, WHITE);
    blank.delay = 4.0;
    blank.fadeOut();
    EXPECT_EQ(blank.delay, 4.0);
}

TEST_F(TextLayout, AShadowedTextCastsAQuarterAlphaShadowFourUnitsBelow)
{
    core.graphics->bTextShadows = true;
    core.graphics->clear(UColor(255, 255, 255, 255));
    RenderableText text(-100.0f, 100.0f, 0.0f, "abcd", &font, WHITE);
    text.printFlags = 0;
    text.render();
    // The text covers y 84 .. 100; its shadow reaches down to 80.
    const u32 shadowed = core.worldPixel(-90.5f, 81.5f);
    EXPECT_NEAR(static_cast<int>(shadowed & 0xff), 191, 2) << "black at alpha 64 over white";
    EXPECT_EQ(core.worldPixel(-90.5f, 79.5f), 0xFFFFFFu);
    text.bHidden = true;
    core.graphics->clear(UColor(255, 255, 255, 255));
    text.render();
    EXPECT_EQ(core.worldPixel(-90.5f, 81.5f), 0xFFFFFFu);
}
