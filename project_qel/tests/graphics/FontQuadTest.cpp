// The quad font: loading glyphs into symbols, measuring, composed letters,
// printing glyph by glyph and through the glyph string cache (read back from
// the window), and the cache's strips, reuse, teardown and reports.
#include "graphics/FontQuad.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/Qel.h"
#include "graphics/FontQuadCacheEntry.h"
#include "graphics/Quad.h"
#include "support/GlyphSheet.h"

namespace {

constexpr UColor BLACK(0, 0, 0, 255);
constexpr UColor WHITE(255, 255, 255, 255);

bool sameFrame(const MemoryImageFile& a, const MemoryImageFile& b)
{
    return a.width == b.width && a.height == b.height &&
           std::memcmp(a.pImageData.get(), b.pImageData.get(), static_cast<size_t>(a.width) * a.height * 4) == 0;
}

class FontQuadTest : public testing::Test {
protected:
    // A glyph texture kept in memory, as the cache needs.
    Texture* sheet(const std::string& name, int count, const std::function<GlyphCell(int)>& cellOf)
    {
        writeGlyphSheet(name, count, cellOf);
        textures.push_back(std::make_unique<Texture>(UString(name), Texture::TEXTURE_KEEP_SOURCE));
        return textures.back().get();
    }

    // 'A' to 'Z' and '.' in cells of 7 x 20 (a line height of 20), letter
    // spacing 0.
    void loadLetters(FontQuad& font, int height = 20)
    {
        font.letterSpacing = 0;
        font.addSourceTexture(sheet("letters.tga", 26, [height](int) { return GlyphCell{7, height}; }), 'A');
        font.addSourceTexture(sheet("dot.tga", 1, [](int) { return GlyphCell{3, 20}; }), '.');
    }

    int countFilled(FontQuad& font)
    {
        int n = 0;
        for (BasicLink* link = font.cacheEntries.firstChild; link != nullptr; link = link->next) {
            n += static_cast<FontQuadCacheEntry*>(link)->text.empty() ? 0 : 1;
        }
        return n;
    }

    RenderCore core;
    std::vector<std::unique_ptr<Texture>> textures;
};

} // namespace

TEST_F(FontQuadTest, SkinsGoToConsecutiveSymbolsPassingOverTheSpace)
{
    FontQuad font;
    Texture* first = sheet("first.tga", 40, [](int) { return GlyphCell{7, 10}; });
    font.addSourceTexture(first, 0);
    for (int s = 0; s < 40; ++s) {
        EXPECT_EQ(font.symbolData[s].pQuad, s == 32 ? nullptr : first->skins[s]) << s;
    }
    EXPECT_EQ(font.symbolData[33].spacing, 1);
    EXPECT_EQ(font.nextSymbolToLoad, 40);
    EXPECT_EQ(font.lineHeight, 10);
    EXPECT_EQ(font.capHeight, 0) << "no 'A', 'a' or '0' yet";
    // Anchor 7: the top-left corner on the position.
    EXPECT_EQ(first->skins[33]->origin.x, -3.5f);
    EXPECT_EQ(first->skins[33]->origin.y, 5.0f);

    font.addSourceTexture(sheet("digits.tga", 2, [](int i) { return GlyphCell{5, 12 + i}; }), '0');
    EXPECT_EQ(font.capHeight, 12);
    EXPECT_EQ(font.lineHeight, 13);
    font.addSourceTexture(sheet("lower.tga", 1, [](int) { return GlyphCell{6, 11}; }), 'a');
    EXPECT_EQ(font.capHeight, 11);
    Texture* upper = sheet("upper.tga", 2, [](int) { return GlyphCell{8, 16}; });
    font.addSourceTexture(upper, 'A');
    EXPECT_EQ(font.capHeight, 16);
    EXPECT_EQ(font.lineHeight, 16);
    Texture* more = sheet("more.tga", 1, [](int) { return GlyphCell{8, 16}; });
    font.addSourceTexture(more);
    EXPECT_EQ(font.symbolData['C'].pQuad, more->skins[0]) << "continues after the last symbol loaded";
}

TEST_F(FontQuadTest, MeasuresAdvancesSpacesUnloadedSymbolsAndEscapes)
{
    FontQuad font;
    loadLetters(font);
    // A space advances by spaceWidth, a symbol never loaded like a space.
    const struct {
        UString text;
        int width;
        int height;
    } sizes[] = {{"AB", 14, 20}, {"A B", 18, 20}, {"a", 4, 0}, {UString("A\x1F\xFF\xFF", 4), 11, 20},
                 {UString("A\x1F", 2), 11, 20}};
    for (const auto& c : sizes) {
        EXPECT_EQ(font.getTextSize(c.text).width, c.width) << c.text;
        EXPECT_EQ(font.getTextSize(c.text).height, c.height) << c.text;
    }
    EXPECT_EQ(font.getSymbolSize('A').width, 7);
    EXPECT_EQ(font.getSymbolSize(FONT_NO_SYMBOL).width, 4);
    EXPECT_EQ(font.symbol(5000).pQuad, nullptr) << "past the table reads as never loaded";
    // Printed too, directly and through the cache: nothing is read outside
    // the symbol table or the text.
    for (int flags : {0, int(FontQuad::PRINT_NO_CACHE)}) {
        font.printAt(0.0f, 0.0f, 0.0f, WHITE, flags, UString("AB\x1F\xFF\xFF" "CD\x1F\x86", 9));
    }
    EXPECT_EQ(font.getMarkupTextSize(UString("AB\x1E{FF", 6)).width, 14);

    FontQuad tight;
    tight.letterSpacing = -1;
    tight.addSourceTexture(sheet("tight.tga", 2, [](int) { return GlyphCell{7, 20}; }), 'A');
    EXPECT_EQ(tight.getTextSize("AB").width, 12);
    EXPECT_EQ(font.getMarkupTextSize("A\x1E{FF0000}B").width, 14);
}

TEST_F(FontQuadTest, ComposedLettersCentreTheAccentAndHangItFromTheTopOfTheLine)
{
    FontQuad font;
    font.accentDropUpper = 2;
    font.accentDropLower = 5;
    font.addSourceTexture(sheet("A.tga", 1, [](int) { return GlyphCell{10, 16}; }), 'A');
    font.addSourceTexture(sheet("i.tga", 1, [](int) { return GlyphCell{4, 12}; }), 127);
    font.addSourceTexture(sheet("grave.tga", 1, [](int) { return GlyphCell{4, 3}; }), 96);
    font.addSourceTexture(sheet("cedilla.tga", 1, [](int) { return GlyphCell{5, 16}; }), 184);
    font.setCompositeChar(192, 'A', 96, FontQuad::COMPUTED, FontQuad::COMPUTED);
    EXPECT_EQ(font.symbolData[192].pQuad, font.symbolData['A'].pQuad);
    EXPECT_EQ(font.symbolData[192].pAccentQuad, font.symbolData[96].pQuad);
    EXPECT_EQ(font.symbolData[192].accentDx, 3);
    EXPECT_EQ(font.symbolData[192].accentDy, 2) << "lower edge drop - 1 below the top";
    font.setCompositeChar(236, 127, 96, FontQuad::COMPUTED, FontQuad::COMPUTED);
    EXPECT_EQ(font.symbolData[236].accentDx, 0);
    EXPECT_EQ(font.symbolData[236].accentDy, -1) << "the lower-case drop for the dotless i";
    font.setCompositeChar(199, 'A', 184, FontQuad::COMPUTED, 0);
    EXPECT_EQ(font.symbolData[199].accentDy, 0);
    EXPECT_EQ(font.symbolData[199].accentDx, 3);
    EXPECT_EQ(font.getTextSize("\xC0").width, font.getTextSize("A").width) << "measures like its base";

    // A base without a glyph leaves the symbol as it was.
    font.setCompositeChar(200, 'E', 96, FontQuad::COMPUTED, FontQuad::COMPUTED);
    EXPECT_EQ(font.symbolData[200].pQuad, nullptr);
    EXPECT_EQ(font.symbolData[200].pAccentQuad, nullptr);
}

TEST(FontQuadFaults, LoadingPastTheTableAndAMissingAccentAreFatal)
{
    RenderCore core(0);
    writeGlyphSheet("five.tga", 5, [](int) { return GlyphCell{4, 4}; });
    EXPECT_FATAL_WITH(core,
                      (core.startGraphics(), FontQuad().addSourceTexture(new Texture("five.tga", 8), 1020)),
                      "Statement: nextSymbolToLoad<NUMSYMBOLS\n Function: addSourceTexture()");
    EXPECT_FATAL_WITH(core, (core.startGraphics(), FontQuad().setCompositeChar(192, 'A', 96, -999, -999)),
                      "Statement: symbolData[c].pAccentQuad!=NULL\n Function: setCompositeChar()");
}

TEST_F(FontQuadTest, ACachedPrintIsPixelEqualToADirectPrintAndFlagsPlaceTheLine)
{
    FontQuad font;
    loadLetters(font);
    font.addSourceTexture(sheet("grave.tga", 1, [](int) { return GlyphCell{5, 3}; }), 96);
    font.setCompositeChar(192, 'A', 96, FontQuad::COMPUTED, FontQuad::COMPUTED);
    const UString texts[] = {"HELLO WORLD", "\xC0 LA CARTE", UString(60, 'W')};
    for (const UString& text : texts) {
        SCOPED_TRACE(text);
        core.graphics->clear(BLACK);
        font.printAt(-200.0f, 100.0f, 0.0f, UColor::fromWord(0xFFFFFFFF), FontQuad::PRINT_NO_CACHE, text);
        font.printAt(-200.0f, 0.0f, 0.0f, UColor(255, 128, 0, 200), FontQuad::PRINT_NO_CACHE, text);
        const std::unique_ptr<MemoryImageFile> direct = core.frame();
        core.graphics->clear(BLACK);
        font.printAt(-200.0f, 100.0f, 0.0f, UColor::fromWord(0xFFFFFFFF), 0, text);
        font.printAt(-200.0f, 0.0f, 0.0f, UColor(255, 128, 0, 200), 0, text);
        const std::unique_ptr<MemoryImageFile> cached = core.frame();
        EXPECT_TRUE(sameFrame(*direct, *cached));
    }
    EXPECT_GE(countFilled(font), 3) << "the long text went through the cache in halves";
    // The first glyph's top-left texel lands at the point.
    core.graphics->clear(BLACK);
    font.printAt(-200.0f, 100.0f, 0.0f, UColor::fromWord(0xFFFFFFFF), 0, "HELLO");
    EXPECT_NE(core.worldPixel(-199.5f, 99.5f), RGB_BLACK);
    EXPECT_EQ(core.worldPixel(-200.5f, 99.5f), RGB_BLACK);
    EXPECT_EQ(core.worldPixel(-199.5f, 100.5f), RGB_BLACK);

    // 0x04 | 0x20: centred, standing on the point: "ABCD" spans x -14 .. 14,
    // y 0 .. 20.
    core.graphics->clear(BLACK);
    font.printAt(0.0f, 0.0f, 0.0f, UColor::fromWord(0xFFFFFFFF), 0x24, "ABCD");
    EXPECT_NE(core.worldPixel(-13.5f, 0.5f), RGB_BLACK);
    EXPECT_NE(core.worldPixel(13.5f, 19.5f), RGB_BLACK);
    for (const auto& [x, y] : {std::pair{-14.5f, 10.0f}, {14.5f, 10.0f}, {0.5f, -0.5f}}) {
        EXPECT_EQ(core.worldPixel(x, y), RGB_BLACK) << x << ", " << y;
    }
}

TEST_F(FontQuadTest, ShadowsDrawFirstOnlyWhenEnabledAndLeaveTheFrameAsItWas)
{
    FontQuad font;
    loadLetters(font);
    Renderable frame;
    frame.position = V3(-100.0f, 50.0f, 0.0f);
    frame.updateXform();
    frame.color = UColor(255, 255, 255, 255);
    const UColor shadow(0, 0, 255, 255);
    core.graphics->clear(BLACK);
    font.printShadowed(&frame, FontQuad::PRINT_NO_CACHE, "A", 0.0f, -30.0f, 0.0f, shadow);
    EXPECT_EQ(core.worldPixel(-99.5f, 20.5f - 2.0f), RGB_BLACK) << "no shadow while shadows are off";
    core.graphics->bTextShadows = true;
    font.printShadowed(&frame, FontQuad::PRINT_NO_CACHE, "A", 0.0f, -30.0f, 0.0f, shadow);
    EXPECT_NE(core.worldPixel(-99.5f, 18.5f), RGB_BLACK) << "the shadow 30 below";
    EXPECT_EQ(frame.position.y, 50.0f);
    EXPECT_EQ(frame.color.b, 255);
    EXPECT_EQ(frame.color.r, 255);
}

TEST_F(FontQuadTest, TruncatedTextsEndWithDotsWithinTheWidth)
{
    FontQuad font;
    loadLetters(font);
    font.printAt(0.0f, 0.0f, 0.0f, UColor::fromWord(0xFFFFFFFF), 0, "ABCD");
    Renderable frame;
    // "..." is 9 wide: 30 - 9 leaves room for three letters.
    font.printTruncated(&frame, 0, "ABABABAB", 30);
    font.printTruncated(&frame, 0, "WXYZ", 28);
    font.printTruncated(&frame, 0, "QRSTUVW", 5);
    std::vector<UString> texts;
    for (BasicLink* link = font.cacheEntries.firstChild; link != nullptr; link = link->next) {
        texts.push_back(static_cast<FontQuadCacheEntry*>(link)->text);
    }
    EXPECT_NE(std::find(texts.begin(), texts.end(), "ABA..."), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "WXYZ"), texts.end()) << "a text that fits is unchanged";
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "QRSTUVW"), texts.end()) << "only \"...\" is left";
}

TEST_F(FontQuadTest, CacheStripsAreOneLineHighAndReusedAfterTheirTimeToLive)
{
    FontQuad font;
    loadLetters(font);
    EXPECT_EQ(font.cacheTTLframes, 2);
    g_qel->frameNumber = 10;
    font.printAt(0.0f, 0.0f, 0.0f, UColor::fromWord(0xFFFFFFFF), 0, "ABCD");
    EXPECT_EQ(font.cacheTextures.countChildren(), 1u);
    EXPECT_EQ(font.cacheEntries.countChildren(), 12u);
    auto* first = static_cast<FontQuadCacheEntry*>(font.cacheEntries.getChild(0));
    EXPECT_EQ(first->text, "ABCD");
    EXPECT_EQ(first->lastUsedFrame, 10);
    EXPECT_EQ(first->pQuad->texelTop, 0);
    EXPECT_EQ(first->pQuad->texelBottom, 20);
    EXPECT_EQ(first->pQuad->texelRight, 28);
    font.printAt(0.0f, 0.0f, 0.0f, UColor::fromWord(0xFFFFFFFF), 0, "ABCD");
    EXPECT_EQ(countFilled(font), 1) << "the second print only draws";

    // Strip 1 before it is ever drawn is free at once; strip 0, drawn in
    // frame 10, only from frame 13.
    font.getCacheEntry("EFGH");
    g_qel->frameNumber = 12;
    EXPECT_NE(font.getFreeCacheEntry(), first);
    g_qel->frameNumber = 13;
    EXPECT_EQ(font.getFreeCacheEntry(), first);

    // Thirteen texts drawn every frame need a second texture, once.
    for (int frame = 20; frame < 24; ++frame) {
        g_qel->frameNumber = frame;
        for (char c = 'A'; c < 'A' + 13; ++c) {
            font.printAt(0.0f, 0.0f, 0.0f, UColor::fromWord(0xFFFFFFFF), 0, UString(4, c));
        }
    }
    EXPECT_EQ(font.cacheTextures.countChildren(), 2u);
    EXPECT_EQ(font.cacheEntries.countChildren(), 24u);

    core.losePresentation();
    EXPECT_EQ(font.cacheTextures.countChildren(), 0u);
    EXPECT_EQ(font.cacheEntries.countChildren(), 0u);
    font.printAt(0.0f, 0.0f, 0.0f, UColor::fromWord(0xFFFFFFFF), 0, "ABCD");
    EXPECT_EQ(font.cacheTextures.countChildren(), 1u);
}

TEST_F(FontQuadTest, RefillingAStripClearsTheLongerTextAndSpacesMakeAFlatQuad)
{
    FontQuad font;
    loadLetters(font);
    font.bClearCacheWhite = true;
    FontQuadCacheEntry* entry = font.getCacheEntry("ABCDEFGH");
    Texture* cache = entry->pQuad->texture;
    const u32* pixels = cache->pSavedSourceData->pImageData.get();
    EXPECT_EQ(pixels[255], 0x00FFFFFFu) << "unwritten texels are transparent white";
    EXPECT_NE(pixels[50] >> 24, 0u);
    entry->lastUsedFrame = -1000;
    g_qel->frameNumber = 100;
    FontQuadCacheEntry* again = font.getFreeCacheEntry();
    ASSERT_EQ(again, entry);
    again->fillCache("AB");
    EXPECT_EQ(pixels[50], 0x00FFFFFFu) << "no trace of the longer text";
    EXPECT_EQ(again->pQuad->texelRight, 14);

    FontQuadCacheEntry* spaces = font.getCacheEntry("     ");
    EXPECT_EQ(spaces->pQuad->width, 20.0f);
    EXPECT_EQ(spaces->pQuad->height, 0.0f);
}

TEST_F(FontQuadTest, ALineTooTallForTheCacheDrawsGlyphByGlyph)
{
    FontQuad font;
    font.addSourceTexture(sheet("tall.tga", 4, [](int i) { return GlyphCell{8, i == 0 ? 256 : 20}; }), 'A');
    ASSERT_EQ(font.lineHeight, 256);
    EXPECT_EQ(font.createCacheTexture(), nullptr);
    core.graphics->clear(BLACK);
    font.printAt(-100.0f, 100.0f, 0.0f, UColor::fromWord(0xFFFFFFFF), 0, "BCDBCD");
    EXPECT_EQ(font.cacheTextures.countChildren(), 0u) << "no texture is made for it";
    EXPECT_NE(core.worldPixel(-99.5f, 99.5f), RGB_BLACK);
}

TEST_F(FontQuadTest, DestructionReportsTheCacheAndWithTheDebugCodeItsContents)
{
    {
        FontQuad font;
        loadLetters(font);
        font.getCacheEntry("ABCD");
        font.createCacheTexture();
        g_qel->bDebugLocked = false;
    }
    const std::string text = core.logText();
    EXPECT_NE(text.find("~FontQuad(): Cache usage: 2 textures (24 entries)."), std::string::npos);
    EXPECT_NE(text.find("~FontQuad(): Contents: ABCD"), std::string::npos);
    size_t lines = 0;
    for (size_t at = text.find("Contents: "); at != std::string::npos; at = text.find("Contents: ", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, 24u);
}
