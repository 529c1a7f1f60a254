#pragma once
// One strip of a font's cache texture holding a whole glyph string, drawn as
// one quad. Entries not drawn for the font's cacheTTLframes frames may be
// filled with another text.
#include "graphics/Rect.h"
#include "math/UColor.h"
#include "object/QelBase.h"
#include "system/UString.h"

class FontQuad;
class Quad;
class Renderable;
class Texture;

class FontQuadCacheEntry : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    FontQuadCacheEntry(FontQuad* font, Texture* cacheTexture, Rect strip);
    ~FontQuadCacheEntry() override;

    // Draws the strip in the frame and colour of a renderable.
    void draw(Renderable* frame);
    void drawAt(float x, float y, float z, UColor color);
    // Copies the glyphs of the text into the strip and uploads it.
    void fillCache(const UString& newText);

    i32 lastUsedFrame = -1000;
    UString text;
    FontQuad* pFont = nullptr;
    Quad* pQuad = nullptr;
};
