#include "core/ImageFiles.h"

#include <cstring>
#include <stdexcept>

namespace assetgen {

namespace {

uint8_t unpremultiply(uint8_t c, uint8_t a) {
    if (a == 0) {
        return 0;
    }
    const unsigned v = (static_cast<unsigned>(c) * 255u + a / 2u) / a;
    return static_cast<uint8_t>(v > 255u ? 255u : v);
}

// The surface's pixels with straight alpha, rows from the top, each pixel
// R, G, B, A in memory: the engine's image layout.
std::vector<u32> straightPixels(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    std::vector<u32> pixels(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t p;
            std::memcpy(&p, data + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 4, 4);
            const uint8_t a = static_cast<uint8_t>(p >> 24);
            const uint8_t rgba[4] = {unpremultiply(static_cast<uint8_t>(p >> 16), a),
                                     unpremultiply(static_cast<uint8_t>(p >> 8), a),
                                     unpremultiply(static_cast<uint8_t>(p), a), a};
            std::memcpy(&pixels[static_cast<size_t>(y) * w + x], rgba, 4);
        }
    }
    return pixels;
}

} // namespace

std::vector<uint8_t> encodeTga(cairo_surface_t* surface) {
    const std::vector<u32> pixels = straightPixels(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    std::vector<uint8_t> out(18 + static_cast<size_t>(w) * h * 4, 0);
    out[2] = 2; // uncompressed true colour
    out[12] = static_cast<uint8_t>(w & 0xFF);
    out[13] = static_cast<uint8_t>(w >> 8);
    out[14] = static_cast<uint8_t>(h & 0xFF);
    out[15] = static_cast<uint8_t>(h >> 8);
    out[16] = 32;
    out[17] = 8; // eight alpha bits, rows from the bottom
    size_t pos = 18;
    for (int row = h - 1; row >= 0; --row) {
        for (int x = 0; x < w; ++x) {
            uint8_t rgba[4];
            std::memcpy(rgba, &pixels[static_cast<size_t>(row) * w + x], 4);
            out[pos++] = rgba[2];
            out[pos++] = rgba[1];
            out[pos++] = rgba[0];
            out[pos++] = rgba[3];
        }
    }
    return out;
}

std::vector<uint8_t> encodeJpeg(cairo_surface_t* surface, int quality) {
    const std::vector<u32> pixels = straightPixels(surface);
    std::vector<uint8_t> out;
    if (!encodeJPEG(pixels.data(), cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface),
                    quality, out)) {
        throw std::runtime_error("the JPEG writer failed");
    }
    return out;
}

cairo_surface_t* surfaceFromPixels(const ImagePixels& image) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    const int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            uint8_t p[4];
            std::memcpy(p, &image.pixels[static_cast<size_t>(y) * image.width + x], 4);
            const unsigned a = p[3];
            const uint32_t v = (a << 24) | ((p[0] * a / 255u) << 16) | ((p[1] * a / 255u) << 8) | (p[2] * a / 255u);
            std::memcpy(data + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 4, &v, 4);
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

} // namespace assetgen
