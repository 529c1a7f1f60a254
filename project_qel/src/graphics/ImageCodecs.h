#pragma once
// Reading TGA and JPEG images from bytes in memory and writing JPEG files.
// The readers never read outside the bytes they are given and never stop the
// program: a file they cannot take is reported back with the message and the
// name of the reporting function, for the caller's fatal error.
#include <cstddef>
#include <memory>
#include <vector>

#include "system/UString.h"

// 32-bit pixels, rows from the top; in memory each pixel is R, G, B, A.
struct ImagePixels {
    i32 width = 0;
    i32 height = 0;
    bool hasAlpha = false;
    // Null when only the header was read.
    std::unique_ptr<u32[]> pixels;
};

struct ImageError {
    UString message;
    const char* function = "";
};

// The largest image the readers take: 16384 pixels a side, 64 Mpixels in all.
constexpr i32 MAX_IMAGE_SIDE = 16384;
constexpr i64 MAX_IMAGE_PIXELS = i64(8192) * 8192;

// Uncompressed 32-bit TGA (image type 2), rows from the bottom. The ID field
// is skipped. Fails with the message and "loadTGA".
bool decodeTGA(const u8* data, std::size_t size, bool headerOnly, ImagePixels& image,
               ImageError& error);

// Colour JPEG; every pixel gets alpha 255 and hasAlpha stays false. Running
// out of data fails with "Should not ever be called." ("kb_fill_input_buffer"),
// the library's own errors with its message ("my_error_exit"), images that
// are not three-component colour with "Not implemented." ("loadJPG").
bool decodeJPEG(const u8* data, std::size_t size, bool headerOnly, ImagePixels& image,
                ImageError& error);

// Codes the pixels as a baseline JPEG (alpha dropped, rows from the top) into
// bytes. False (and no bytes) when the library fails.
bool encodeJPEG(const u32* pixels, i32 width, i32 height, int quality, std::vector<u8>& bytes);
