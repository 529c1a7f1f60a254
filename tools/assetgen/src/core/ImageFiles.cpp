#include "core/ImageFiles.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace assetgen {

namespace {

uint8_t unpremultiply(uint8_t c, uint8_t a) {
    if (a == 0) {
        return 0;
    }
    const unsigned v = (static_cast<unsigned>(c) * 255u + a / 2u) / a;
    return static_cast<uint8_t>(v > 255u ? 255u : v);
}

// Reads pixel (x, y) of an ARGB32 surface as straight R, G, B, A.
void straightPixel(const unsigned char* data, int stride, int x, int y, uint8_t out[4]) {
    uint32_t p;
    std::memcpy(&p, data + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 4, 4);
    const uint8_t a = static_cast<uint8_t>(p >> 24);
    out[0] = unpremultiply(static_cast<uint8_t>(p >> 16), a);
    out[1] = unpremultiply(static_cast<uint8_t>(p >> 8), a);
    out[2] = unpremultiply(static_cast<uint8_t>(p), a);
    out[3] = a;
}

struct JpegError {
    jpeg_error_mgr mgr;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jpegErrorExit(j_common_ptr info) {
    auto* err = reinterpret_cast<JpegError*>(info->err);
    info->err->format_message(info, err->message);
    longjmp(err->jump, 1);
}

void jpegQuiet(j_common_ptr, int) {}

} // namespace

std::vector<uint8_t> encodeTga(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);

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
            straightPixel(data, stride, x, row, rgba);
            out[pos++] = rgba[2];
            out[pos++] = rgba[1];
            out[pos++] = rgba[0];
            out[pos++] = rgba[3];
        }
    }
    return out;
}

std::vector<uint8_t> encodeJpeg(cairo_surface_t* surface, int quality) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);

    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < w; ++x) {
            uint8_t rgba[4];
            straightPixel(data, stride, x, static_cast<int>(info.next_scanline), rgba);
            std::memcpy(&row[static_cast<size_t>(x) * 3], rgba, 3);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

bool decodeTga(const std::vector<uint8_t>& file, Rgba& image, std::string& error) {
    if (file.size() < 18) {
        error = "shorter than a TGA header";
        return false;
    }
    if (file[2] != 2) {
        error = "not an uncompressed true-colour TGA";
        return false;
    }
    if (file[16] != 32) {
        error = "not 32 bits per pixel";
        return false;
    }
    if (file[17] & 0x20) {
        error = "rows stored from the top";
        return false;
    }
    const int w = static_cast<int16_t>(file[12] | (file[13] << 8));
    const int h = static_cast<int16_t>(file[14] | (file[15] << 8));
    if (w <= 0 || h <= 0 || file.size() < 18 + static_cast<size_t>(w) * h * 4) {
        error = "size does not match the pixel data";
        return false;
    }
    image.width = w;
    image.height = h;
    image.hasAlpha = true;
    image.pixels.resize(static_cast<size_t>(w) * h * 4);
    for (int r = 0; r < h; ++r) {
        const uint8_t* src = file.data() + 18 + static_cast<size_t>(r) * w * 4;
        uint8_t* dst = image.pixels.data() + static_cast<size_t>(h - 1 - r) * w * 4;
        for (int x = 0; x < w; ++x) {
            dst[x * 4 + 0] = src[x * 4 + 2];
            dst[x * 4 + 1] = src[x * 4 + 1];
            dst[x * 4 + 2] = src[x * 4 + 0];
            dst[x * 4 + 3] = src[x * 4 + 3];
        }
    }
    return true;
}

bool decodeJpeg(const std::vector<uint8_t>& file, Rgba& image, std::string& error) {
    jpeg_decompress_struct info;
    JpegError err;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegErrorExit;
    err.mgr.emit_message = jpegQuiet;
    if (setjmp(err.jump)) {
        error = err.message;
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    image.hasAlpha = false;
    image.pixels.assign(static_cast<size_t>(image.width) * image.height * 4, 255);
    std::vector<uint8_t> row(static_cast<size_t>(image.width) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        const int y = static_cast<int>(info.output_scanline);
        jpeg_read_scanlines(&info, rows, 1);
        for (int x = 0; x < image.width; ++x) {
            std::memcpy(&image.pixels[(static_cast<size_t>(y) * image.width + x) * 4], &row[static_cast<size_t>(x) * 3], 3);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

cairo_surface_t* surfaceFromRgba(const Rgba& image) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    const int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
            const unsigned a = p[3];
            const uint32_t v = (a << 24) | ((p[0] * a / 255u) << 16) | ((p[1] * a / 255u) << 8) | (p[2] * a / 255u);
            std::memcpy(data + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 4, &v, 4);
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

} // namespace assetgen
