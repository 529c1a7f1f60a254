#include "graphics/FontQuadCacheEntry.h"

#include <algorithm>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "graphics/FontQuad.h"
#include "graphics/MemoryImageFile.h"
#include "graphics/Quad.h"
#include "graphics/Renderable.h"
#include "graphics/Texture.h"

QEL_IMPLEMENT_RUNTIME_CLASS(FontQuadCacheEntry, QelBase::runtimeClass(), QEL_NO_CREATOR);

namespace {

Rect texelRect(const Quad* quad)
{
    return Rect{quad->texelLeft, quad->texelTop, quad->texelBottom, quad->texelRight};
}

void setTexelRect(Quad* quad, const Rect& r)
{
    quad->texelLeft = r.left;
    quad->texelTop = r.top;
    quad->texelBottom = r.bottom;
    quad->texelRight = r.right;
    float uv[4];
    quad->texture->rectToUV(r, uv);
    quad->uvLeft = uv[0];
    quad->uvTop = uv[1];
    quad->uvRight = uv[2];
    quad->uvBottom = uv[3];
}

} // namespace

FontQuadCacheEntry::FontQuadCacheEntry(FontQuad* font, Texture* cacheTexture, Rect strip)
    : pFont(font)
    , pQuad(new Quad())
{
    pQuad->texture = cacheTexture;
    pQuad->rebuild();
    setTexelRect(pQuad, strip);
    pQuad->rebuild();
}

FontQuadCacheEntry::~FontQuadCacheEntry()
{
    pQuad->deleteMe();
    pQuad = nullptr;
}

void FontQuadCacheEntry::draw(Renderable* frame)
{
    Renderable t;
    t.bSkipVisibility = 1;
    t.postXform = frame->xform;
    t.updateXform();
    t.color = frame->color;
    t.pSkin = pQuad;
    t.updateXform();
    t.render();
    lastUsedFrame = g_qel->frameNumber;
}

void FontQuadCacheEntry::drawAt(float x, float y, float z, UColor color)
{
    pQuad->drawAt(V3(x, y, z), color);
    lastUsedFrame = g_qel->frameNumber;
}

void FontQuadCacheEntry::fillCache(const UString& newText)
{
    Texture* cacheTexture = pQuad->texture;
    const Rect previous = texelRect(pQuad);
    cacheTexture->clear(&previous, pFont->bClearCacheWhite);
    text = newText;
    MemoryImageFile* pDestMIF = cacheTexture->pSavedSourceData;
    QEL_ASSERT(pDestMIF!=NULL);

    const i32 left = previous.left;
    const i32 top = previous.top;
    i32 x = left;
    i32 right = left;
    i32 bottom = top;
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        const u16 s = pFont->nextSymbol(text, i);
        const TextSize size = pFont->getSymbolSize(s);
        right = x + size.width;
        bottom = std::max(bottom, top + size.height);
        if (const Quad* glyph = pFont->symbol(s).pQuad) {
            const MemoryImageFile* pSrcMIF = glyph->texture->pSavedSourceData;
            QEL_ASSERT(pSrcMIF!=NULL);
            const Rect from = texelRect(glyph);
            const Point to{x, top};
            pDestMIF->blit(pSrcMIF, &from, &to);
        }
        x += size.width + pFont->symbol(s).spacing;
    }

    setTexelRect(pQuad, Rect{left, top, bottom, right});
    pQuad->rebuild();
    pQuad->setOrigin(7);
    const Rect band{left, top, top + pFont->lineHeight, cacheTexture->realWidth};
    const Point at{left, top};
    cacheTexture->copyImageData(pDestMIF, &band, &at);
}
