#pragma once
// Image files built in memory for tests: TGA headers and pixels, and JPEGs of
// any colour layout that libjpeg can write.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

using Bytes = std::vector<std::uint8_t>;

// An uncompressed TGA: header fields as given, then the ID field, then the
// pixel bytes exactly as passed (B, G, R, A per pixel, bottom row first).
inline Bytes makeTga(int width, int height, const Bytes& pixels, int depth = 32, int type = 2,
                     int descriptor = 8, const std::string& id = "")
{
    Bytes bytes(18, 0);
    bytes[0] = static_cast<std::uint8_t>(id.size());
    bytes[2] = static_cast<std::uint8_t>(type);
    bytes[12] = static_cast<std::uint8_t>(width);
    bytes[13] = static_cast<std::uint8_t>(width >> 8);
    bytes[14] = static_cast<std::uint8_t>(height);
    bytes[15] = static_cast<std::uint8_t>(height >> 8);
    bytes[16] = static_cast<std::uint8_t>(depth);
    bytes[17] = static_cast<std::uint8_t>(descriptor);
    for (char c : id) {
        bytes.push_back(static_cast<std::uint8_t>(c));
    }
    for (std::uint8_t b : pixels) {
        bytes.push_back(b);
    }
    return bytes;
}

// A JPEG of the given colour space whose samples are produced by
// sample(x, y, component).
template <class Sample>
Bytes makeJpeg(int width, int height, int components, J_COLOR_SPACE space, Sample sample,
               int quality = 95)
{
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width) * components);
    while (info.next_scanline < info.image_height) {
        int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < components; ++c) {
                row[static_cast<size_t>(x) * components + c] = static_cast<JSAMPLE>(sample(x, y, c));
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// An RGB JPEG whose top half is red and bottom half blue.
inline Bytes makeRedOverBlueJpeg(int width, int height)
{
    return makeJpeg(width, height, 3, JCS_RGB, [height](int, int y, int c) {
        bool top = y < height / 2;
        return top ? (c == 0 ? 255 : 0) : (c == 2 ? 255 : 0);
    });
}
