#include "graphics/Texture.h"

#include <SDL_opengl.h>

#include <algorithm>

#include "config/MemoryIniFile.h"
#include "engine/ErrorManager.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "file/FileManager.h"
#include "graphics/MemoryImageFile.h"
#include "graphics/QelGraphics.h"
#include "graphics/Quad.h"
#include "graphics/QuadMosaic.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Texture, QelBase::runtimeClass(), QEL_NO_CREATOR);

namespace {

// An OpenGL error after the call is fatal, reported with the call's text.
void checkGL(const char* statement, const char* function, int line)
{
    const GLenum code = glGetError();
    if (code != GL_NO_ERROR) {
        qelCheckFailed(ErrorManager::getGLErrorName(code).c_str(), statement, function, __FILE__, line);
    }
}

// How an image too large for its texture is cut: a one-texel border on
// both sides of every tile along an axis that does not fit.
struct MosaicGrid {
    MosaicGrid(const MemoryImageFile& image, int realWidth, int realHeight)
        : imageWidth(image.width), imageHeight(image.height)
    {
        bx = image.width <= realWidth ? 0 : 1;
        by = image.height <= realHeight ? 0 : 1;
        tileW = realWidth - 2 * bx;
        tileH = realHeight - 2 * by;
    }

    int imageWidth;
    int imageHeight;
    int bx;
    int by;
    int tileW;
    int tileH;
};

// Marks the blocks of mosaic cell tc, tr (its rectangle in tile texels)
// that can show: those within one texel, the reach of linear filtering, of
// a texel that is not fully transparent. Along an axis without a border
// the texel beyond the image's edge is the texture's padding or its wrapped
// far edge, whose contents are not known, so the blocks along the image's
// edge there always count as showing.
void markVisibleBlocks(const MemoryImageFile& image, const MosaicGrid& grid, int tc, int tr, const Rect& cell,
                       Quad& quad)
{
    const int columns = (cell.width() + Quad::BLOCK - 1) / Quad::BLOCK;
    const int rows = (cell.height() + Quad::BLOCK - 1) / Quad::BLOCK;
    quad.blockColumns = columns;
    quad.visibleBlocks.assign(size_t(columns * rows), false);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const bool unknownX = grid.bx == 0 && ((c == 0 && cell.left < 1) ||
                                                   (c == columns - 1 && cell.right > grid.imageWidth - 1));
            const bool unknownY = grid.by == 0 && ((r == 0 && cell.top < 1) ||
                                                   (r == rows - 1 && cell.bottom > grid.imageHeight - 1));
            quad.visibleBlocks[size_t(r * columns + c)] = unknownX || unknownY;
        }
    }
    // Image texel of the tile's texel 0.
    const int originX = tc * grid.tileW - grid.bx;
    const int originY = tr * grid.tileH - grid.by;
    const int x0 = std::max(originX + cell.left - 1, 0);
    const int x1 = std::min(originX + cell.right + 1, grid.imageWidth);
    const int y0 = std::max(originY + cell.top - 1, 0);
    const int y1 = std::min(originY + cell.bottom + 1, grid.imageHeight);
    for (int y = y0; y < y1; ++y) {
        const u32* row = image.pImageData.get() + size_t(y) * size_t(grid.imageWidth);
        for (int x = x0; x < x1; ++x) {
            if ((row[x] >> 24) == 0) {
                continue;
            }
            const int left = std::max(x - originX - 1, cell.left) - cell.left;
            const int right = std::min(x - originX + 2, cell.right) - cell.left;
            const int top = std::max(y - originY - 1, cell.top) - cell.top;
            const int bottom = std::min(y - originY + 2, cell.bottom) - cell.top;
            if (left >= right || top >= bottom) {
                continue;
            }
            for (int by = top / Quad::BLOCK; by <= (bottom - 1) / Quad::BLOCK; ++by) {
                for (int bx = left / Quad::BLOCK; bx <= (right - 1) / Quad::BLOCK; ++bx) {
                    quad.visibleBlocks[size_t(by * columns + bx)] = true;
                }
            }
        }
    }
}

// Texel rectangle of a skin list section, checked against the image.
struct SkinSection {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int adjustX = 0;
    int adjustY = 0;
};

SkinSection readSkinSection(MemoryIniFile& ini, const UString& section)
{
    SkinSection s;
    s.left = ini.getInt(section, "left");
    s.top = ini.getInt(section, "top");
    s.width = ini.getInt(section, "width");
    s.height = ini.getInt(section, "height");
    if (ini.exists(section, "origin_adjust_x")) {
        s.adjustX = ini.getInt(section, "origin_adjust_x");
    }
    if (ini.exists(section, "origin_adjust_y")) {
        s.adjustY = ini.getInt(section, "origin_adjust_y");
    }
    return s;
}

bool liesInside(const SkinSection& s, int imageWidth, int imageHeight)
{
    // Compared without sums that could overflow.
    return s.width > 0 && s.height > 0 && s.left >= 0 && s.top >= 0 && s.left <= imageWidth &&
           s.top <= imageHeight && s.width <= imageWidth - s.left && s.height <= imageHeight - s.top;
}

} // namespace

Texture::Texture(const UString& path, int textureFlags)
    : name(path), flags(textureFlags)
{
    createSubTextureHolder();
    QEL_LOG("Loading texture '%s'...", path.c_str());
    MemoryImageFile* image = readImage();
    hasAlpha = image->hasAlpha || (flags & TEXTURE_FORCE_ALPHA) != 0;
    createEmptyTexture(image->width, image->height, flags);
    if (fits(*image)) {
        loadSkins(path + ".ini");
        copyImageData(image, nullptr, nullptr);
    } else if ((flags & TEXTURE_HALVE_TO_FIT) != 0) {
        halveToFit(*image);
        loadSkins(path + ".ini");
        copyImageData(image, nullptr, nullptr);
    } else {
        buildMosaic(*image);
    }
    if ((flags & TEXTURE_KEEP_SOURCE) != 0) {
        pSavedSourceData = image;
    } else {
        image->deleteMe();
    }
}

Texture::Texture(int width, int height, int textureFlags)
    : flags(textureFlags)
{
    createSubTextureHolder();
    // Only the 512 allowance is passed on: the tiles of a mosaic cut for
    // 512-texel textures must be that large too.
    createEmptyTexture(width, height, flags & TEXTURE_ALLOW_512);
    if ((flags & TEXTURE_KEEP_SOURCE) != 0) {
        pSavedSourceData = new MemoryImageFile(realWidth, realHeight);
    }
    addWholeQuad();
}

Texture::Texture(MemoryImageFile* image)
{
    createSubTextureHolder();
    createEmptyTexture(image->width, image->height, 0);
    copyImageData(image, nullptr, nullptr);
    addWholeQuad();
}

Texture::~Texture()
{
    if (pSavedSourceData != nullptr) {
        pSavedSourceData->deleteMe();
        pSavedSourceData = nullptr;
    }
    for (Skin* skin : skins) {
        skin->deleteMe();
    }
    skins.clear();
    if (glTexHandle != 0) {
        glDeleteTextures(1, &glTexHandle);
        glTexHandle = 0;
    }
    // The QelBase part then deletes the sub-textures with their quads.
}

void Texture::createSubTextureHolder()
{
    subTextures = new QelBase();
    add(subTextures);
}

void Texture::addWholeQuad()
{
    auto* quad = new Quad();
    quad->texture = this;
    quad->rebuild();
    quad->texelLeft = 0;
    quad->texelTop = 0;
    quad->texelBottom = requestedHeight;
    quad->texelRight = requestedWidth;
    quad->uvLeft = 0.0f;
    quad->uvTop = 0.0f;
    quad->uvRight = static_cast<float>(requestedWidth) / static_cast<float>(uvWidth);
    quad->uvBottom = static_cast<float>(requestedHeight) / static_cast<float>(uvHeight);
    quad->rebuild();
    skins.push_back(quad);
}

MemoryImageFile* Texture::readImage() const
{
    auto* image = new MemoryImageFile(name, false);
    const QelGraphics* graphics = g_qel->graphics;
    if (graphics != nullptr && graphics->colorDepth <= 16 && (flags & TEXTURE_NO_DITHER) == 0) {
        if (g_qel->ditherDepth == 15) {
            image->ditherTo15Bits();
        } else if (g_qel->ditherDepth == 12) {
            image->ditherTo12Bits();
        }
    }
    return image;
}

bool Texture::fits(const MemoryImageFile& image) const
{
    return image.width <= realWidth && image.height <= realHeight;
}

void Texture::halveToFit(MemoryImageFile& image)
{
    scaleFactor = 1;
    while (!fits(image)) {
        image.halveSize();
        scaleFactor *= 2;
    }
    uvWidth = realWidth * scaleFactor;
    uvHeight = realHeight * scaleFactor;
}

void Texture::createEmptyTexture(int width, int height, int createFlags)
{
    QEL_LOG(" Requesting texture: %dx%d, format %d", width, height, GL_RGBA8);
    uvWidth = realWidth = requestedWidth = width;
    uvHeight = realHeight = requestedHeight = height;
    if (g_qel->graphics != nullptr && g_qel->graphics->bSimulate256x256TextureHW) {
        if ((createFlags & TEXTURE_ALLOW_512) == 0) {
            realWidth = 256;
            realHeight = 256;
        } else {
            realWidth = width <= 256 ? 256 : 512;
            realHeight = height <= 256 ? 256 : 512;
        }
    }
    glGenTextures(1, &glTexHandle);
    checkGL("glGenTextures(1,&glTexHandle)", __func__, __LINE__);
    glBindTexture(GL_TEXTURE_2D, glTexHandle);
    checkGL("glBindTexture(GL_TEXTURE_2D,glTexHandle)", __func__, __LINE__);
    QEL_ASSERT(g_qel->graphics != nullptr);
    g_qel->graphics->setTextureParameters();
    createdFilter = currentFilter = g_qel->graphics->textureFilter();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, realWidth, realHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    checkGL("glTexImage2D( GL_TEXTURE_2D, 0, requestedFormat, realWidth, realHeight, 0, GL_RGBA, "
            "GL_UNSIGNED_BYTE, NULL )",
            __func__, __LINE__);
    GLint format = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    uvWidth = realWidth;
    uvHeight = realHeight;
    if (realWidth != requestedWidth || realHeight != requestedHeight) {
        QEL_LOG(" Note! Texture has been resized to %dx%d.", realWidth, realHeight);
    }
    if (format != GL_RGBA8) {
        QEL_LOG(" Note! Texture format has changed to %d.", format);
    }
}

void Texture::copyImageData(MemoryImageFile* source, const Rect* sourceRect, const Point* destPoint)
{
    QEL_ASSERT(glIsTexture(glTexHandle));
    glBindTexture(GL_TEXTURE_2D, glTexHandle);
    checkGL("glBindTexture(GL_TEXTURE_2D,glTexHandle)", __func__, __LINE__);
    Rect whole;
    whole.bottom = source->height;
    whole.right = source->width;
    if (sourceRect == nullptr) {
        sourceRect = &whole;
    } else {
        QEL_ASSERT(scaleFactor==1);
    }
    const Point origin;
    if (destPoint == nullptr) {
        destPoint = &origin;
    }
    QEL_ASSERT(destPoint->x+sourceRect->width()<=realWidth && destPoint->y+sourceRect->height()<=realHeight);
    // OpenGL would read outside the image's pixels.
    QEL_ASSERT(sourceRect->left >= 0 && sourceRect->top >= 0 && sourceRect->width() >= 0 &&
               sourceRect->height() >= 0 && sourceRect->right <= source->width &&
               sourceRect->bottom <= source->height && destPoint->x >= 0 && destPoint->y >= 0);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, source->width);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, sourceRect->top);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, sourceRect->left);
    glTexSubImage2D(GL_TEXTURE_2D, 0, destPoint->x, destPoint->y, sourceRect->width(),
                    sourceRect->height(), GL_RGBA, GL_UNSIGNED_BYTE, source->pImageData.get());
    checkGL("glTexSubImage2D( GL_TEXTURE_2D, 0, destPoint->x, destPoint->y, sourceRect->width(), "
            "sourceRect->height(), GL_RGBA, GL_UNSIGNED_BYTE, sourceData->pImageData )",
            __func__, __LINE__);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

void Texture::loadSkins(const UString& iniPath)
{
    if (!g_qel->fileManager->exists(iniPath)) {
        addWholeQuad();
        return;
    }
    MemoryIniFile ini(iniPath);
    const int count = static_cast<int>(ini.sections.size());
    QEL_LOG("Texture contains %d skins.", count);
    for (int i = 0; i < count; ++i) {
        const UString section = formatString("Skin %d", i);
        const SkinSection s = readSkinSection(ini, section);
        if (!liesInside(s, requestedWidth, requestedHeight)) {
            QEL_FATAL("Skin rectangle of section '%s' in '%s' is empty or outside the %dx%d image.",
                      section.c_str(), iniPath.c_str(), requestedWidth, requestedHeight);
        }
        auto* quad = new Quad();
        quad->texture = this;
        quad->rebuild();
        if (s.width % 2 == 1) {
            quad->origin.x -= 0.5f;
        }
        if (s.height % 2 == 1) {
            quad->origin.y += 0.5f;
        }
        quad->origin.x -= static_cast<float>(s.adjustX);
        quad->origin.y += static_cast<float>(s.adjustY);
        quad->texelLeft = s.left;
        quad->texelTop = s.top;
        quad->texelBottom = s.top + s.height;
        quad->texelRight = s.left + s.width;
        quad->uvLeft = static_cast<float>(s.left) / static_cast<float>(uvWidth);
        quad->uvTop = static_cast<float>(s.top) / static_cast<float>(uvHeight);
        quad->uvRight = static_cast<float>(s.left + s.width) / static_cast<float>(uvWidth);
        quad->uvBottom = static_cast<float>(s.top + s.height) / static_cast<float>(uvHeight);
        quad->rebuild();
        skins.push_back(quad);
    }
}

void Texture::buildMosaic(MemoryImageFile& image)
{
    loadSkins(name + ".ini");
    const MosaicGrid grid(image, realWidth, realHeight);
    // Logged as a step of loading, like the rest of it.
    qelLog("Texture", formatString("Mosaic axis: %s %s", grid.bx != 0 ? "X" : "", grid.by != 0 ? "Y" : ""));
    uploadTiles(image, true);
    qelLog("Texture", formatString("Created %d subTextures.", static_cast<int>(subTextures->countChildren())));

    const int tilesPerRow = (grid.imageWidth - 1) / grid.tileW + 1;
    std::vector<Skin*> mosaics;
    for (Skin* skin : skins) {
        const Quad& s = *static_cast<Quad*>(skin);
        const int c0 = s.texelLeft / grid.tileW;
        const int r0 = s.texelTop / grid.tileH;
        const int columns = (s.texelRight - 1) / grid.tileW - c0 + 1;
        const int rows = (s.texelBottom - 1) / grid.tileH - r0 + 1;
        auto* mosaic = new QuadMosaic();
        mosaic->setGrid(columns, rows);
        for (int i = 0; i < rows; ++i) {
            for (int j = 0; j < columns; ++j) {
                const int tc = c0 + j;
                const int tr = r0 + i;
                auto* tile = static_cast<Texture*>(subTextures->getChild(tr * tilesPerRow + tc));
                const int qLeft = std::clamp(s.texelLeft - tc * grid.tileW, 0, grid.tileW) + grid.bx;
                const int qRight = std::clamp(s.texelRight - tc * grid.tileW, 0, grid.tileW) + grid.bx;
                const int qTop = std::clamp(s.texelTop - tr * grid.tileH, 0, grid.tileH) + grid.by;
                const int qBottom = std::clamp(s.texelBottom - tr * grid.tileH, 0, grid.tileH) + grid.by;
                auto* cell = new Quad();
                cell->texture = tile;
                cell->rebuild();
                cell->texelLeft = qLeft;
                cell->texelTop = qTop;
                cell->texelBottom = qBottom;
                cell->texelRight = qRight;
                cell->uvLeft = static_cast<float>(qLeft) / static_cast<float>(tile->uvWidth);
                cell->uvTop = static_cast<float>(qTop) / static_cast<float>(tile->uvHeight);
                cell->uvRight = static_cast<float>(qRight) / static_cast<float>(tile->uvWidth);
                cell->uvBottom = static_cast<float>(qBottom) / static_cast<float>(tile->uvHeight);
                cell->rebuild();
                // Without alpha the tile is drawn opaque, clear texels too.
                if (tile->hasAlpha) {
                    markVisibleBlocks(image, grid, tc, tr, Rect{qLeft, qTop, qBottom, qRight}, *cell);
                    const auto& blocks = cell->visibleBlocks;
                    cell->bInvisible = !blocks.empty() && std::find(blocks.begin(), blocks.end(), true) == blocks.end();
                    if (cell->bInvisible || std::find(blocks.begin(), blocks.end(), false) == blocks.end()) {
                        cell->visibleBlocks.clear();
                    }
                }
                tile->skins.push_back(cell);
                mosaic->quads[static_cast<size_t>(i * columns + j)] = cell;
            }
        }
        mosaic->rebuild();
        mosaic->origin = s.origin;
        mosaics.push_back(mosaic);
    }
    for (Skin* skin : skins) {
        skin->deleteMe();
    }
    skins = mosaics;
}

void Texture::uploadTiles(MemoryImageFile& image, bool create)
{
    const MosaicGrid grid(image, realWidth, realHeight);
    const int W = grid.imageWidth;
    const int H = grid.imageHeight;
    int k = 0;
    for (int ty = 0; ty < H; ty += grid.tileH) {
        for (int tx = 0; tx < W; tx += grid.tileW, ++k) {
            Rect area;
            area.left = tx - grid.bx;
            area.top = ty - grid.by;
            area.right = std::min(tx + grid.tileW, W) + grid.bx;
            area.bottom = std::min(ty + grid.tileH, H) + grid.by;
            Point dest;
            const bool clampLeft = area.left < 0;
            const bool clampTop = area.top < 0;
            const bool clampRight = area.right > W;
            const bool clampBottom = area.bottom > H;
            if (clampLeft) {
                area.left = 0;
                dest.x = 1;
            }
            if (clampTop) {
                area.top = 0;
                dest.y = 1;
            }
            area.right = std::min(area.right, W);
            area.bottom = std::min(area.bottom, H);

            Texture* tile = nullptr;
            if (create) {
                tile = new Texture(realWidth, realHeight, flags & TEXTURE_ALLOW_512);
                subTextures->add(tile);
                tile->hasAlpha = hasAlpha;
            } else {
                tile = static_cast<Texture*>(subTextures->getChild(k));
                QEL_ASSERT(tile != nullptr);
            }
            tile->copyImageData(&image, &area, &dest);
            // The border the image's edge cannot supply repeats the edge.
            if (clampLeft) {
                const Rect column{area.left, area.top, area.bottom, area.left + 1};
                const Point at{dest.x - 1, dest.y};
                tile->copyImageData(&image, &column, &at);
            }
            if (clampTop) {
                const Rect row{area.left, area.top, area.top + 1, area.right};
                const Point at{dest.x, dest.y - 1};
                tile->copyImageData(&image, &row, &at);
            }
            if (clampRight) {
                const Rect column{area.right - 1, area.top, area.bottom, area.right};
                const Point at{dest.x + area.width(), dest.y};
                tile->copyImageData(&image, &column, &at);
            }
            if (clampBottom) {
                const Rect row{area.left, area.bottom - 1, area.bottom, area.right};
                const Point at{dest.x, dest.y + area.height()};
                tile->copyImageData(&image, &row, &at);
            }
        }
    }
}

void Texture::onQELmodeChange(int oldMode, int newMode)
{
    if (oldMode == 2 && newMode == 1 && glTexHandle != 0) {
        glDeleteTextures(1, &glTexHandle);
        glTexHandle = 0;
    }
}

Texture* Texture::rebuildOwner()
{
    QelBase* holder = getParent();
    QelBase* mosaic = holder != nullptr ? holder->getParent() : nullptr;
    if (mosaic != nullptr && mosaic->getRuntimeClass()->isDerivedFrom(Texture::runtimeClass())) {
        return static_cast<Texture*>(mosaic);
    }
    return this;
}

void Texture::bind()
{
    if (!glIsTexture(glTexHandle)) {
        glTexHandle = 0;
        Texture* owner = rebuildOwner();
        owner->recreateTexture();
        owner->repopulateTexture();
    }
    glBindTexture(GL_TEXTURE_2D, glTexHandle);
    if (lastBoundFrame < g_qel->frameNumber) {
        ++g_qel->statTextures;
        g_qel->statTexturePixels += realWidth * realHeight;
        lastBoundFrame = g_qel->frameNumber;
    }
}

void Texture::sampleNearest(bool nearest)
{
    const i32 filter = nearest ? GL_NEAREST : createdFilter;
    if (filter == currentFilter) {
        return;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    currentFilter = filter;
}

void Texture::recreateTexture()
{
    if (glTexHandle != 0) {
        // Only a texture still alive (a tile whose mosaic is rebuilt for
        // another tile) has a name left: give it back before a new one.
        glDeleteTextures(1, &glTexHandle);
        glTexHandle = 0;
    }
    createEmptyTexture(realWidth, realHeight, flags);
    for (BasicLink* node = subTextures->firstChild; node != nullptr; node = node->next) {
        if (!node->bDead) {
            static_cast<Texture*>(node)->recreateTexture();
        }
    }
}

void Texture::repopulateTexture()
{
    if (name.empty()) {
        return;
    }
    QEL_LOG("Repopulating texture '%s'...", name.c_str());
    MemoryImageFile* image = readImage();
    if (fits(*image)) {
        copyImageData(image, nullptr, nullptr);
    } else if ((flags & TEXTURE_HALVE_TO_FIT) != 0) {
        halveToFit(*image);
        copyImageData(image, nullptr, nullptr);
    } else {
        uploadTiles(*image, false);
    }
    image->deleteMe();
}

void Texture::clear(const Rect* rect, bool white)
{
    QEL_ASSERT(pSavedSourceData!=NULL);
    pSavedSourceData->clear(rect, white);
    if (rect == nullptr) {
        copyImageData(pSavedSourceData, nullptr, nullptr);
    }
}

void Texture::rectToUV(Rect r, float uv[4]) const
{
    uv[0] = static_cast<float>(r.left) / static_cast<float>(uvWidth);
    uv[1] = static_cast<float>(r.top) / static_cast<float>(uvHeight);
    uv[2] = static_cast<float>(r.right) / static_cast<float>(uvWidth);
    uv[3] = static_cast<float>(r.bottom) / static_cast<float>(uvHeight);
}
