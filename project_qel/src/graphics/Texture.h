#pragma once
// One OpenGL texture made from an image file (TGA or JPEG) and the skins cut
// from it by its skin list (the image path followed by ".ini": sections
// "Skin 0" ... "Skin N-1" with "left", "top", "width", "height" and the
// optional "origin_adjust_x" and "origin_adjust_y"). An image larger than
// the texture allowed is halved or cut into a mosaic of sub-textures, whose
// skins are QuadMosaics. A lost presentation releases the OpenGL texture;
// the next bind rebuilds it from the file.
#include <vector>

#include "graphics/Rect.h"
#include "object/QelBase.h"
#include "system/UString.h"

class MemoryImageFile;
class Skin;

class Texture : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    enum Flags {
        TEXTURE_FORCE_ALPHA = 0x01,
        TEXTURE_HALVE_TO_FIT = 0x02,
        TEXTURE_ALLOW_512 = 0x04,
        TEXTURE_KEEP_SOURCE = 0x08,
        TEXTURE_NO_DITHER = 0x10,
    };

    // Loads the image at the resource path with its skin list. Unreadable
    // images and bad skin lists are fatal.
    Texture(const UString& path, int textureFlags);
    // An unnamed texture with one quad over the size asked; with
    // TEXTURE_KEEP_SOURCE a blank kept image of the texture's size.
    Texture(int width, int height, int textureFlags);
    // An unnamed texture of the image's size holding the whole image.
    explicit Texture(MemoryImageFile* image);
    ~Texture() override;

    void onQELmodeChange(int oldMode, int newMode) override;

    // A new OpenGL texture of the size (or of the simulated hardware's),
    // contents undefined.
    void createEmptyTexture(int width, int height, int createFlags);
    // Uploads a rectangle of the image (null: all of it) to the point
    // (null: the top-left corner). It must fit, and lie inside the image.
    void copyImageData(MemoryImageFile* source, const Rect* sourceRect, const Point* destPoint);
    // Fills `skins` from the skin list, or with one quad over the whole
    // image when there is no list.
    void loadSkins(const UString& iniPath);
    // Makes the texture current, rebuilding it first when its OpenGL
    // texture is gone (a mosaic tile rebuilds its whole mosaic).
    void bind();
    // Samples the bound texture with the nearest texel when the draw puts
    // texel centres on pixel centres (bilinear filtering would give the same
    // colours at a higher cost), else with the filter it was created with.
    void sampleNearest(bool nearest);
    void recreateTexture();
    void repopulateTexture();
    // Clears the kept image (transparent black or white) over the rectangle;
    // with a null rectangle all of it, uploaded.
    void clear(const Rect* rect, bool white);
    // The rectangle's texture coordinates: left, top, right, bottom.
    void rectToUV(Rect r, float uv[4]) const;

    i32 uvWidth = 0;
    i32 uvHeight = 0;
    i32 requestedWidth = 0;
    i32 requestedHeight = 0;
    // Owned; skin i is section "Skin i" of the skin list.
    std::vector<Skin*> skins;
    bool hasAlpha = true;
    // Children are the sub-textures of a mosaic, row by row.
    QelBase* subTextures = nullptr;
    i32 lastBoundFrame = 0;
    i32 realWidth = 0;
    i32 realHeight = 0;
    i32 scaleFactor = 1;
    MemoryImageFile* pSavedSourceData = nullptr;
    UString name;
    i32 flags = 0;
    u32 glTexHandle = 0;

private:
    // The filter given at creation, and the one the texture has now.
    i32 createdFilter = 0;
    i32 currentFilter = 0;

    void createSubTextureHolder();
    // Appends one quad over the requested size.
    void addWholeQuad();
    // Reads the named image and dithers it for the display.
    MemoryImageFile* readImage() const;
    bool fits(const MemoryImageFile& image) const;
    // Halves until the image fits; uvWidth and uvHeight keep the full size.
    void halveToFit(MemoryImageFile& image);
    // Cuts the image into sub-textures and the skins into mosaics.
    void buildMosaic(MemoryImageFile& image);
    // Uploads tile k of the image into sub-texture k, creating the
    // sub-textures when asked.
    void uploadTiles(MemoryImageFile& image, bool create);
    // The texture whose rebuild restores this one: the mosaic for a tile.
    Texture* rebuildOwner();
};
