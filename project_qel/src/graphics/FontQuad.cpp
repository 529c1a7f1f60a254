#include "graphics/FontQuad.h"

#include <cmath>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "engine/Settings.h"
#include "graphics/FontQuadCacheEntry.h"
#include "graphics/QelGraphics.h"
#include "graphics/Quad.h"
#include "graphics/Renderable.h"
#include "graphics/Texture.h"

QEL_IMPLEMENT_RUNTIME_CLASS(FontQuad, QelBase::runtimeClass(), QEL_NO_CREATOR);

namespace {

const FontQuad::SymbolData NO_SYMBOL_DATA;

// Symbol codes of the composed letters (Windows-1252) with their base letter
// and accent; 127 is the font's dotless i.
struct Composite {
    u16 symbol;
    u16 base;
};

constexpr Composite GRAVE[] = {{192, 'A'}, {200, 'E'}, {204, 'I'}, {210, 'O'}, {217, 'U'},
                               {224, 'a'}, {232, 'e'}, {236, 127}, {242, 'o'}, {249, 'u'}};
constexpr Composite ACUTE[] = {{193, 'A'}, {201, 'E'}, {205, 'I'}, {211, 'O'}, {218, 'U'}, {221, 'Y'},
                               {225, 'a'}, {233, 'e'}, {237, 127}, {243, 'o'}, {250, 'u'}, {253, 'y'}};
constexpr Composite CIRCUMFLEX[] = {{194, 'A'}, {202, 'E'}, {206, 'I'}, {212, 'O'}, {219, 'U'},
                                    {226, 'a'}, {234, 'e'}, {238, 127}, {244, 'o'}, {251, 'u'}};
constexpr Composite TILDE[] = {{195, 'A'}, {209, 'N'}, {213, 'O'}, {227, 'a'}, {241, 'n'}, {245, 'o'}};
constexpr Composite DIAERESIS[] = {{159, 'Y'}, {196, 'A'}, {203, 'E'}, {207, 'I'}, {214, 'O'}, {220, 'U'},
                                   {228, 'a'}, {235, 'e'}, {239, 127}, {246, 'o'}, {252, 'u'}, {255, 'y'}};
constexpr Composite RING[] = {{197, 'A'}, {229, 'a'}};
constexpr Composite CEDILLA[] = {{199, 'C'}, {231, 'c'}};

i32 truncated(float v)
{
    return static_cast<i32>(v);
}

// A passing renderable in the frame and colour of another, never culled.
void placeInFrame(Renderable& r, const Renderable* frame)
{
    r.bSkipVisibility = 1;
    r.postXform = frame->xform;
    r.updateXform();
    r.color = frame->color;
}

} // namespace

FontQuad::FontQuad()
{
    // A negative life would hand out an entry drawn in the same frame.
    cacheTTLframes = readSettingInt("FontQuad", "cacheTTLframes", 2, 0, 1000);
}

FontQuad::~FontQuad()
{
    QEL_LOG("Cache usage: %d textures (%d entries).", static_cast<int>(cacheTextures.countChildren()),
            static_cast<int>(cacheEntries.countChildren()));
    if (g_qel != nullptr && !g_qel->bDebugLocked) {
        for (BasicLink* link = cacheEntries.firstChild; link != nullptr; link = link->next) {
            if (!link->bDead && !link->bSkip) {
                QEL_LOG("Contents: %s", static_cast<FontQuadCacheEntry*>(link)->text.c_str());
            }
        }
    }
}

void FontQuad::onQELmodeChange(int oldMode, int newMode)
{
    if (oldMode == 2 && newMode == 1) {
        cacheEntries.deleteChildren();
        cacheTextures.deleteChildren();
    }
}

void FontQuad::addSourceTexture(Texture* texture, u16 firstSymbol)
{
    if (firstSymbol != CONTINUE) {
        nextSymbolToLoad = firstSymbol;
    }
    for (Skin* skin : texture->skins) {
        if (nextSymbolToLoad == 32) {
            nextSymbolToLoad = 33;
            continue;
        }
        if (!(nextSymbolToLoad < NUMSYMBOLS)) {
            qelAssertFailed("nextSymbolToLoad<NUMSYMBOLS", "addSourceTexture", __FILE__, __LINE__);
        }
        SymbolData& data = symbolData[nextSymbolToLoad];
        data.pQuad = static_cast<Quad*>(skin);
        data.pQuad->setOrigin(7);
        data.spacing = letterSpacing;
        ++nextSymbolToLoad;
    }
    lineHeight = 0;
    for (const SymbolData& data : symbolData) {
        if (data.pQuad != nullptr) {
            lineHeight = std::max(lineHeight, truncated(data.pQuad->height));
        }
    }
    for (u16 s : {u16('A'), u16('a'), u16('0')}) {
        if (symbolData[s].pQuad != nullptr) {
            capHeight = truncated(symbolData[s].pQuad->height);
            break;
        }
    }
}

void FontQuad::setCompositeChar(u16 s, u16 base, u16 accent, int dx, int dy)
{
    Quad* accentQuad = symbol(accent).pQuad;
    if (accentQuad == nullptr) {
        qelAssertFailed("symbolData[c].pAccentQuad!=NULL", "setCompositeChar", __FILE__, __LINE__);
    }
    const SymbolData& baseData = symbol(base);
    if (s >= NUMSYMBOLS || baseData.pQuad == nullptr) {
        QEL_LOG("Symbol %d not composed: its base %d has no glyph.", s, base);
        return;
    }
    if (dx == COMPUTED) {
        dx = truncated((1.0f + baseData.pQuad->width - accentQuad->width) * 0.5f);
    }
    if (dy == COMPUTED) {
        const bool lower = (base >= 'a' && base <= 'z') || base == 127;
        const i32 drop = lower ? accentDropLower : accentDropUpper;
        dy = truncated(static_cast<float>(-drop) + accentQuad->height + 1.0f);
    }
    SymbolData& data = symbolData[s];
    data.pQuad = baseData.pQuad;
    data.pAccentQuad = accentQuad;
    data.accentDx = dx;
    data.accentDy = dy;
    data.spacing = baseData.spacing;
}

void FontQuad::buildCompositeSymbols()
{
    auto compose = [this](u16 accent, const auto& letters, int dy) {
        for (const Composite& c : letters) {
            setCompositeChar(c.symbol, c.base, accent, COMPUTED, dy);
        }
    };
    compose(96, GRAVE, COMPUTED);
    compose(180, ACUTE, COMPUTED);
    compose(136, CIRCUMFLEX, COMPUTED);
    compose(152, TILDE, COMPUTED);
    compose(168, DIAERESIS, COMPUTED);
    compose(176, RING, COMPUTED);
    compose(184, CEDILLA, 0);
}

const FontQuad::SymbolData& FontQuad::symbol(u16 s) const
{
    return s < NUMSYMBOLS ? symbolData[s] : NO_SYMBOL_DATA;
}

TextSize FontQuad::getSymbolSize(u16 s) const
{
    const Quad* glyph = symbol(s).pQuad;
    if (glyph == nullptr) {
        return TextSize{spaceWidth, 0};
    }
    return TextSize{truncated(glyph->width), truncated(glyph->height)};
}

i32 FontQuad::getAdvance(u16 s) const
{
    return getSymbolSize(s).width + symbol(s).spacing;
}

TextSize FontQuad::getTextSize(const UString& text, i32* limit) const
{
    return measureSymbols(text, limit, [this](u16 s) {
        const TextSize size = getSymbolSize(s);
        return SymbolExtent{size.width + symbol(s).spacing, size.height};
    });
}

TextSize FontQuad::getMarkupTextSize(const UString& text) const
{
    return measureMarkupRuns(text, [this](const UString& run) { return getTextSize(run); });
}

void FontQuad::print(Renderable* frame, int flags, const UString& text)
{
    const i32 width = getTextSize(text).width;
    const FontOffset offset = fontFlagOffset(flags, width, lineHeight, capHeight);
    const V3 position(offset.x, offset.y, 0.0f);
    Renderable t;
    placeInFrame(t, frame);
    t.position = position;
    t.updateXform();

    const bool direct = !bUseCache || !g_qel->graphics->bEnableFontCache || (flags & PRINT_NO_CACHE) != 0 ||
                        text.size() <= 3 || !cacheFitsLine();
    if (direct) {
        printDirect(&t, position, text);
    } else if (width <= CACHE_TEXTURE_SIZE - 1) {
        drawAccents(&t, text);
        getCacheEntry(text)->draw(&t);
    } else {
        const size_t cut = static_cast<size_t>(fontSplitIndex(text));
        const UString first(text, 0, cut);
        print(&t, PRINT_HALF, first);
        t.position = V3(position.x + static_cast<float>(getTextSize(first).width), position.y, position.z);
        t.updateXform();
        print(&t, PRINT_HALF, UString(text, cut));
    }
}

void FontQuad::printDirect(Renderable* frame, V3 position, const UString& text)
{
    drawAccents(frame, text);
    float x = position.x;
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        const u16 s = nextSymbol(text, i);
        if (Quad* glyph = symbol(s).pQuad) {
            const V3 at(x, position.y, 0.0f);
            frame->setPlacement(glyph, &at, nullptr, nullptr);
            frame->render();
        }
        x += static_cast<float>(getAdvance(s));
    }
}

void FontQuad::drawAccents(Renderable* frame, const UString& text)
{
    Renderable a;
    placeInFrame(a, frame);
    float x = 0.0f;
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        const u16 s = nextSymbol(text, i);
        const SymbolData& data = symbol(s);
        if (data.pAccentQuad != nullptr) {
            const V3 at(x + static_cast<float>(data.accentDx), static_cast<float>(data.accentDy), 0.0f);
            a.setPlacement(data.pAccentQuad, &at, nullptr, nullptr);
            a.render();
        }
        x += static_cast<float>(getAdvance(s));
    }
}

void FontQuad::printShadowed(Renderable* frame, int flags, const UString& text, float dx, float dy, float dz,
                             UColor shadowColor)
{
    if (g_qel->graphics->bTextShadows) {
        const V3 position = frame->position;
        const UColor color = frame->color;
        frame->position = V3(position.x + dx, position.y + dy, position.z + dz);
        frame->updateXform();
        frame->color = shadowColor;
        print(frame, flags, text);
        frame->position = position;
        frame->updateXform();
        frame->color = color;
    }
    print(frame, flags, text);
}

void FontQuad::printTruncated(Renderable* frame, int flags, const UString& text, int maxWidth)
{
    if (getTextSize(text).width <= maxWidth) {
        print(frame, flags, text);
        return;
    }
    i32 limit = maxWidth - getTextSize("...").width;
    getTextSize(text, &limit);
    print(frame, flags, UString(text, 0, static_cast<size_t>(std::max(0, limit))) + "...");
}

void FontQuad::printAt(float x, float y, float z, UColor color, int flags, const UString& text)
{
    Renderable r;
    r.position = V3(x, y, z);
    r.updateXform();
    r.color = color;
    print(&r, flags, text);
}

void FontQuad::printShadowedAt(float x, float y, float z, UColor color, int flags, const UString& text, float dx,
                               float dy, float dz, UColor shadowColor)
{
    Renderable r;
    r.position = V3(x, y, z);
    r.updateXform();
    r.color = color;
    printShadowed(&r, flags, text, dx, dy, dz, shadowColor);
}

FontQuadCacheEntry* FontQuad::createCacheTexture()
{
    const int stripHeight = lineHeight + 1;
    const int strips = CACHE_TEXTURE_SIZE / stripHeight;
    // A line taller than the texture gets no cache texture at all, so that
    // nothing is made for it on every print.
    if (strips <= 0) {
        return nullptr;
    }
    auto* texture = new Texture(CACHE_TEXTURE_SIZE, CACHE_TEXTURE_SIZE, Texture::TEXTURE_KEEP_SOURCE);
    cacheTextures.addChildBack(texture);
    QEL_LOG("Creating new cache texture (%d cache entries).", strips);
    texture->clear(nullptr, bClearCacheWhite);
    FontQuadCacheEntry* first = nullptr;
    for (int i = 0; i < strips; ++i) {
        const Rect strip{0, i * stripHeight, (i + 1) * stripHeight, CACHE_TEXTURE_SIZE};
        auto* entry = new FontQuadCacheEntry(this, texture, strip);
        cacheEntries.addChildBack(entry);
        if (first == nullptr) {
            first = entry;
        }
    }
    return first;
}

FontQuadCacheEntry* FontQuad::getFreeCacheEntry()
{
    for (BasicLink* link = cacheEntries.firstChild; link != nullptr; link = link->next) {
        auto* entry = static_cast<FontQuadCacheEntry*>(link);
        if (!link->bDead && !link->bSkip && entry->lastUsedFrame + cacheTTLframes < g_qel->frameNumber) {
            return entry;
        }
    }
    return createCacheTexture();
}

FontQuadCacheEntry* FontQuad::getCacheEntry(const UString& text)
{
    for (BasicLink* link = cacheEntries.firstChild; link != nullptr; link = link->next) {
        auto* entry = static_cast<FontQuadCacheEntry*>(link);
        if (!link->bDead && !link->bSkip && entry->text == text) {
            return entry;
        }
    }
    FontQuadCacheEntry* entry = getFreeCacheEntry();
    QEL_ASSERT(entry != nullptr);
    entry->fillCache(text);
    return entry;
}
