#pragma once

#include <cstdint>
#include <vector>

#include <cairo.h>

#include "graphics/ImageCodecs.h"

namespace assetgen {

// Uncompressed 32-bit true-colour TGA, rows from the bottom, pixels B, G, R, A
// with straight (not premultiplied) alpha: the one form the engine reads.
std::vector<uint8_t> encodeTga(cairo_surface_t* surface);

// Baseline JPEG of the surface's colour channels (alpha is dropped), written
// by the engine's own JPEG writer.
std::vector<uint8_t> encodeJpeg(cairo_surface_t* surface, int quality);

// A Cairo image surface holding a picture the engine decoded (premultiplied,
// as Cairo wants).
cairo_surface_t* surfaceFromPixels(const ImagePixels& image);

} // namespace assetgen
