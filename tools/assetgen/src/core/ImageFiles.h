#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <cairo.h>

namespace assetgen {

// Uncompressed 32-bit true-colour TGA, rows from the bottom, pixels B, G, R, A
// with straight (not premultiplied) alpha: the one form the engine reads.
std::vector<uint8_t> encodeTga(cairo_surface_t* surface);

// Baseline JPEG of the surface's colour channels (alpha is dropped).
std::vector<uint8_t> encodeJpeg(cairo_surface_t* surface, int quality);

// A decoded image: RGBA bytes, rows from the top.
struct Rgba {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    std::vector<uint8_t> pixels;
};

// Readers for the two formats above; false with a message on anything that is
// not such a file.
bool decodeTga(const std::vector<uint8_t>& file, Rgba& image, std::string& error);
bool decodeJpeg(const std::vector<uint8_t>& file, Rgba& image, std::string& error);

// A Cairo image surface holding the picture (premultiplied, as Cairo wants).
cairo_surface_t* surfaceFromRgba(const Rgba& image);

} // namespace assetgen
