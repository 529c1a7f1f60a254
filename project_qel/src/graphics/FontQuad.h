#pragma once
// The font in which the game writes its text: every glyph is a Quad cut
// from a font texture. Maps byte strings to symbols (escapes reach the
// symbols from 256 up), measures them, lays a line out around a point,
// composes accented letters from a base letter and an accent glyph, draws
// drop shadows and texts cut off with "...", and draws texts printed again
// and again through a cache of whole glyph strings.
#include "graphics/FontSymbols.h"
#include "math/UColor.h"
#include "math/V3.h"
#include "object/QelBase.h"

class FontQuadCacheEntry;
class Quad;
class Renderable;
class Texture;

class FontQuad : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    struct SymbolData {
        // The glyph; null = none. Glyphs belong to their texture.
        Quad* pQuad = nullptr;
        // The accent drawn with a composed letter.
        Quad* pAccentQuad = nullptr;
        i32 spacing = 0;
        i32 accentDx = 0;
        i32 accentDy = 0;
    };

    // Print flags beyond the alignment bits of fontFlagOffset.
    enum PrintFlags { PRINT_HALF = 0x02, PRINT_NO_CACHE = 0x80 };
    static constexpr u16 CONTINUE = 0xFFFF;
    static constexpr int COMPUTED = -999;

    FontQuad();
    ~FontQuad() override;

    // Empties the glyph string cache when the presentation is lost.
    void onQELmodeChange(int oldMode, int newMode) override;

    // Gives the texture's skins, in order, to consecutive symbols from
    // firstSymbol (CONTINUE: after the last one loaded); the space is passed
    // over. Then recomputes lineHeight and capHeight.
    void addSourceTexture(Texture* texture, u16 firstSymbol = CONTINUE);
    // Makes symbol s the base's glyph with the accent's glyph over it;
    // COMPUTED offsets centre the accent and hang it from the top of the
    // line. A base without a glyph leaves the symbol as it was.
    void setCompositeChar(u16 s, u16 base, u16 accent, int dx, int dy);
    // The accented letters of Windows-1252 the font composes.
    void buildCompositeSymbols();

    u16 nextSymbol(const UString& text, int& index) const { return nextFontSymbol(text, index); }
    // The record of a symbol; past the table, a symbol never loaded.
    const SymbolData& symbol(u16 s) const;
    // The glyph's width and height, or (spaceWidth, 0) without one.
    TextSize getSymbolSize(u16 s) const;
    i32 getAdvance(u16 s) const;
    TextSize getTextSize(const UString& text, i32* limit = nullptr) const;
    // The size of a text with style markers, which take no room.
    TextSize getMarkupTextSize(const UString& text) const;

    // Draws the text in the frame and colour of a renderable.
    void print(Renderable* frame, int flags, const UString& text);
    void printShadowed(Renderable* frame, int flags, const UString& text, float dx, float dy, float dz,
                       UColor shadowColor);
    // Ends the text with "..." where it would pass maxWidth.
    void printTruncated(Renderable* frame, int flags, const UString& text, int maxWidth);
    void printAt(float x, float y, float z, UColor color, int flags, const UString& text);
    void printShadowedAt(float x, float y, float z, UColor color, int flags, const UString& text, float dx,
                         float dy, float dz, UColor shadowColor);
    // The accents of the composed letters of a line.
    void drawAccents(Renderable* frame, const UString& text);

    // The glyph string cache: cache textures of 256 x 256 cut into strips
    // one line high, one entry per strip.
    FontQuadCacheEntry* createCacheTexture();
    FontQuadCacheEntry* getFreeCacheEntry();
    FontQuadCacheEntry* getCacheEntry(const UString& text);
    // Whether a strip of the cache holds a line of this font.
    bool cacheFitsLine() const { return lineHeight + 1 <= CACHE_TEXTURE_SIZE; }

    static constexpr int CACHE_TEXTURE_SIZE = 256;

    i32 spaceWidth = 4;
    i32 letterSpacing = 1;
    i32 lineHeight = 0;
    i32 capHeight = 0;
    i32 accentDropUpper = 0;
    i32 accentDropLower = 0;
    bool bUseCache = true;
    bool bClearCacheWhite = false;
    SymbolData symbolData[NUMSYMBOLS];
    QelBase cacheTextures;
    QelBase cacheEntries;
    i32 cacheTTLframes = 2;
    u16 nextSymbolToLoad = 33;

private:
    // Glyph by glyph, with the accents first.
    void printDirect(Renderable* frame, V3 position, const UString& text);
};
