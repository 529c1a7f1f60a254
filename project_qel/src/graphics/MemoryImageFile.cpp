#include "graphics/MemoryImageFile.h"

#include <algorithm>
#include <vector>

#include "engine/QelAssert.h"
#include "system/AtomicFile.h"

namespace {

// One entry of an error row: the three colour accumulators, wrapping at 256.
struct DitherError {
    u8 channel[3];
};

} // namespace

MemoryImageFile::MemoryImageFile(const UString& path, bool onlyHeader)
    : MemoryFile(path), headerOnly(onlyHeader)
{
    UString lowered = path;
    toLowerCase(lowered);
    if (lowered.find(".tga") != UString::npos) {
        loadTGA();
    } else if (lowered.find(".bmp") != UString::npos) {
        loadBMP();
    } else if (lowered.find(".jpg") != UString::npos) {
        loadJPG();
    } else {
        qelFatal(formatString("Unknown image format (%s).", lowered.c_str()), "MemoryImageFile",
                 __FILE__, __LINE__);
    }
    data.reset();
    size = 0;
}

MemoryImageFile::MemoryImageFile(i32 imageWidth, i32 imageHeight)
    : MemoryFile(""), hasAlpha(true), width(imageWidth), height(imageHeight)
{
    QEL_ASSERT(imageWidth >= 0 && imageHeight >= 0);
    pImageData.reset(new u32[static_cast<size_t>(width) * height]);
}

MemoryImageFile::~MemoryImageFile() = default;

void MemoryImageFile::decodeWith(Decoder decoder)
{
    ImagePixels image;
    ImageError error;
    if (!decoder(data.get(), static_cast<size_t>(std::max(size, 0)), headerOnly, image, error)) {
        qelFatal(error.message, error.function, __FILE__, __LINE__);
    }
    width = image.width;
    height = image.height;
    hasAlpha = image.hasAlpha;
    pImageData = std::move(image.pixels);
}

void MemoryImageFile::loadTGA()
{
    decodeWith(decodeTGA);
}

void MemoryImageFile::loadJPG()
{
    decodeWith(decodeJPEG);
}

void MemoryImageFile::loadBMP()
{
    QEL_FATAL("Unimplemented.");
}

bool MemoryImageFile::saveJPG(const UString& path, int quality)
{
    std::vector<u8> bytes;
    if (!encodeJPEG(pImageData.get(), width, height, quality, bytes)) {
        return false;
    }
    return writeFileAtomically(path, bytes.data(), bytes.size());
}

void MemoryImageFile::saveTGA(const UString&)
{
    QEL_FATAL("Unimplemented");
}

void MemoryImageFile::saveBMP(const UString&)
{
    QEL_FATAL("Unimplemented.");
}

void MemoryImageFile::blit(const MemoryImageFile* source, const Rect* sourceRect,
                           const Point* destPoint)
{
    QEL_ASSERT(source != nullptr && source->pImageData != nullptr && pImageData != nullptr);
    const Rect whole{0, 0, source->height, source->width};
    const Point origin{0, 0};
    if (sourceRect == nullptr) {
        sourceRect = &whole;
    }
    if (destPoint == nullptr) {
        destPoint = &origin;
    }
    if (!(destPoint->x + sourceRect->width() <= width &&
          destPoint->y + sourceRect->height() <= height)) {
        qelAssertFailed("destPoint->x+sourceRect->width()<=width && "
                        "destPoint->y+sourceRect->height()<=height",
                        "blit", __FILE__, __LINE__);
    }
    if (sourceRect->height() <= 0 || sourceRect->width() <= 0) {
        return;
    }
    // The rest of the copy must stay inside both images too.
    QEL_ASSERT(destPoint->x >= 0 && destPoint->y >= 0 && sourceRect->left >= 0 &&
               sourceRect->top >= 0 && sourceRect->right <= source->width &&
               sourceRect->bottom <= source->height);
    for (i32 k = 0; k < sourceRect->height(); ++k) {
        const u32* from = source->pImageData.get() +
                          static_cast<size_t>(sourceRect->top + k) * source->width + sourceRect->left;
        u32* to = pImageData.get() + static_cast<size_t>(destPoint->y + k) * width + destPoint->x;
        std::copy(from, from + sourceRect->width(), to);
    }
}

void MemoryImageFile::halveSize()
{
    QEL_LOG("Halving texture size (original size: %dx%d)", width, height);
    const i32 newWidth = width / 2;
    const i32 newHeight = height / 2;
    std::unique_ptr<u32[]> halved(new u32[static_cast<size_t>(newWidth) * newHeight]);
    const u32* pixels = pImageData.get();
    for (i32 y = 0; y < newHeight; ++y) {
        const u32* upper = pixels + static_cast<size_t>(2 * y) * width;
        const u32* lower = upper + width;
        for (i32 x = 0; x < newWidth; ++x) {
            const u32 block[4] = {upper[2 * x], upper[2 * x + 1], lower[2 * x], lower[2 * x + 1]};
            u32 result = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                u32 sum = 0;
                for (u32 pixel : block) {
                    sum += ((pixel >> shift) & 0xff) / 4;
                }
                result |= sum << shift;
            }
            halved[static_cast<size_t>(y) * newWidth + x] = result;
        }
    }
    pImageData = std::move(halved);
    width = newWidth;
    height = newHeight;
}

void MemoryImageFile::clear(const Rect* rect, bool white)
{
    const Rect whole{0, 0, height, width};
    const Rect& area = rect != nullptr ? *rect : whole;
    const u32 fill = white ? 0x00ffffffu : 0u;
    const i32 left = std::max(area.left, 0);
    const i32 right = std::min(area.right, width);
    for (i32 y = std::max(area.top, 0); y < std::min(area.bottom, height); ++y) {
        if (left < right) {
            u32* row = pImageData.get() + static_cast<size_t>(y) * width;
            std::fill(row + left, row + right, fill);
        }
    }
}

void MemoryImageFile::ditherTo12Bits()
{
    ditherTo(0xF0, 0x0F);
}

void MemoryImageFile::ditherTo15Bits()
{
    ditherTo(0xF8, 0x07);
}

void MemoryImageFile::ditherTo(u8 mask, u8 lowPart)
{
    if (pImageData == nullptr || width <= 0) {
        return;
    }
    std::vector<DitherError> cur(static_cast<size_t>(width) + 2, DitherError{{0, 0, 0}});
    std::vector<DitherError> next(cur);
    for (i32 y = 0; y < height; ++y) {
        u32* row = pImageData.get() + static_cast<size_t>(y) * width;
        for (i32 x = 0; x < width; ++x) {
            u32 pixel = row[x];
            for (int c = 0; c < 3; ++c) {
                const int shift = 8 * c;
                int v = static_cast<int>((pixel >> shift) & 0xff) + (cur[x + 1].channel[c] >> 4);
                u8 value;
                u8 error;
                if (v > 255) {
                    value = static_cast<u8>(255 & mask);
                    error = lowPart;
                } else {
                    value = static_cast<u8>(v & mask);
                    error = static_cast<u8>(v & lowPart);
                }
                pixel = (pixel & ~(0xffu << shift)) | (u32(value) << shift);
                cur[x + 2].channel[c] = static_cast<u8>(cur[x + 2].channel[c] + 7 * error);
                next[x].channel[c] = static_cast<u8>(next[x].channel[c] + 3 * error);
                next[x + 1].channel[c] = static_cast<u8>(next[x + 1].channel[c] + 5 * error);
                next[x + 2].channel[c] = static_cast<u8>(next[x + 2].channel[c] + error);
            }
            row[x] = pixel;
        }
        // The share pushed down-left of the first pixel goes to the first
        // pixel of the next row; what ran off the right end is dropped.
        for (int c = 0; c < 3; ++c) {
            next[1].channel[c] = static_cast<u8>(next[1].channel[c] + next[0].channel[c]);
        }
        std::fill(cur.begin(), cur.end(), DitherError{{0, 0, 0}});
        std::swap(cur, next);
    }
}
