#pragma once
// An image in memory: 32-bit pixels (R, G, B, A in memory), rows from the
// top. Reads uncompressed 32-bit TGA and JPEG files, writes JPEG files, and
// offers the few pixel operations textures and the glyph cache need.
#include <memory>

#include "file/MemoryFile.h"
#include "graphics/ImageCodecs.h"
#include "graphics/Rect.h"

class MemoryImageFile : public MemoryFile {
public:
    // Reads the file at the resource path and decodes it, choosing the
    // reader by the lower-cased path (".tga", ".bmp", ".jpg"). With
    // headerOnly only the size is taken. A file that cannot be decoded is
    // fatal.
    MemoryImageFile(const UString& path, bool headerOnly);
    // A blank image; its pixels are undefined until written.
    MemoryImageFile(i32 imageWidth, i32 imageHeight);
    ~MemoryImageFile() override;

    void loadTGA();
    void loadJPG();
    void loadBMP();

    // Writes a JPEG of the given quality so that the file at the path is
    // either the old one or the complete new one. False when nothing was
    // written (no pixels, a folder that cannot be written, a full disk).
    bool saveJPG(const UString& path, int quality);
    void saveTGA(const UString& path);
    void saveBMP(const UString& path);

    // Copies a rectangle of the source (null: all of it) to the point of
    // this image (null: the top-left corner). The rectangle must fit.
    void blit(const MemoryImageFile* source, const Rect* sourceRect, const Point* destPoint);
    // Half the width and height; each pixel the average of a 2 x 2 block,
    // an odd last row or column dropped.
    void halveSize();
    // Transparent black, or transparent white, over the rectangle (null:
    // the whole image), cut to the image.
    void clear(const Rect* rect, bool white);
    // Error diffusion to 4 (12-bit display) or 5 (15-bit display) bits per
    // colour channel; alpha stays.
    void ditherTo12Bits();
    void ditherTo15Bits();

    bool hasAlpha = false;
    i32 width = 0;
    i32 height = 0;
    // Pixel (x, y) is element y * width + x; null when only the header was read.
    std::unique_ptr<u32[]> pImageData;
    bool headerOnly = false;

private:
    using Decoder = bool (*)(const u8* data, size_t size, bool headerOnly, ImagePixels& image,
                             ImageError& error);
    // Decodes the file's bytes; a file the decoder refuses is fatal.
    void decodeWith(Decoder decoder);
    void ditherTo(u8 mask, u8 lowPart);
};
