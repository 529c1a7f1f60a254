#include "graphics/ImageCodecs.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "system/StringUtils.h"

namespace {

constexpr std::size_t TGA_HEADER_SIZE = 18;

bool fail(ImageError& error, const char* function, const UString& message)
{
    error.function = function;
    error.message = message;
    return false;
}

bool checkImageSize(i64 width, i64 height, const char* function, ImageError& error)
{
    if (width > MAX_IMAGE_SIDE || height > MAX_IMAGE_SIDE || width * height > MAX_IMAGE_PIXELS) {
        return fail(error, function,
                    formatString("Image is too large (%lldx%lld).", static_cast<long long>(width),
                                 static_cast<long long>(height)));
    }
    return true;
}

i32 readLittle16(const u8* bytes)
{
    return static_cast<i16>(static_cast<u16>(bytes[0] | (bytes[1] << 8)));
}

u32 packPixel(u32 r, u32 g, u32 b, u32 a)
{
    return r | (g << 8) | (b << 16) | (a << 24);
}

// libjpeg reports errors through error_exit, which must not return: it
// jumps back into the coder that set up the jump buffer.
struct JpegErrorManager {
    jpeg_error_mgr library;
    std::jmp_buf jump;
    ImageError* error;
};

[[noreturn]] void jumpWithError(j_common_ptr info, const char* function, const char* message)
{
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    fail(*manager->error, function, message);
    std::longjmp(manager->jump, 1);
}

void my_error_exit(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX] = {};
    (*info->err->format_message)(info, text);
    jumpWithError(info, "my_error_exit", text);
}

void setUpErrors(JpegErrorManager& manager, ImageError& error)
{
    jpeg_std_error(&manager.library);
    manager.library.error_exit = my_error_exit;
    manager.error = &error;
}

// The source manager over bytes that are all in memory from the start.
void kb_init_source(j_decompress_ptr) {}

boolean kb_fill_input_buffer(j_decompress_ptr info)
{
    // Every byte was handed over at the start: running out is a broken file.
    jumpWithError(reinterpret_cast<j_common_ptr>(info), "kb_fill_input_buffer",
                  "Should not ever be called.");
}

void kb_skip_input_data(j_decompress_ptr info, long count)
{
    if (count <= 0) {
        return;
    }
    jpeg_source_mgr* source = info->src;
    if (static_cast<unsigned long>(count) > source->bytes_in_buffer) {
        kb_fill_input_buffer(info);
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void kb_term_source(j_decompress_ptr) {}

void readJpegPixels(jpeg_decompress_struct& info, ImagePixels& image)
{
    jpeg_start_decompress(&info);
    if (info.out_color_components != 3) {
        // Greyscale, CMYK and the rest would leave the pixels unwritten.
        jumpWithError(reinterpret_cast<j_common_ptr>(&info), "loadJPG", "Not implemented.");
    }
    const i32 width = static_cast<i32>(info.output_width);
    image.pixels.reset(new u32[static_cast<std::size_t>(width) * info.output_height]);
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * 3, 1);
    while (info.output_scanline < info.output_height) {
        if (jpeg_read_scanlines(&info, row, 1) != 1) {
            jumpWithError(reinterpret_cast<j_common_ptr>(&info), "kb_fill_input_buffer",
                          "Should not ever be called.");
        }
        u32* out = image.pixels.get() + static_cast<std::size_t>(info.output_scanline - 1) * width;
        const JSAMPLE* in = row[0];
        for (i32 x = 0; x < width; ++x, in += 3) {
            out[x] = packPixel(in[0], in[1], in[2], 255);
        }
    }
    jpeg_finish_decompress(&info);
}

} // namespace

bool decodeTGA(const u8* data, std::size_t size, bool headerOnly, ImagePixels& image,
               ImageError& error)
{
    if (data == nullptr || size < TGA_HEADER_SIZE) {
        return fail(error, "loadTGA", "TGA is truncated: the header is incomplete.");
    }
    const std::size_t idLength = data[0];
    if (data[2] != 2) {
        return fail(error, "loadTGA", "TGA is compressed.");
    }
    if (data[16] != 32) {
        return fail(error, "loadTGA", "TGA depth is not 32 bits");
    }
    if (data[17] & 0x20) {
        return fail(error, "loadTGA", "TGA is flipped vertically.");
    }
    const i32 width = readLittle16(data + 12);
    const i32 height = readLittle16(data + 14);
    if (width <= 0 || height <= 0) {
        return fail(error, "loadTGA", formatString("TGA size is invalid (%dx%d).", width, height));
    }
    if (!checkImageSize(width, height, "loadTGA", error)) {
        return false;
    }
    const std::size_t start = TGA_HEADER_SIZE + idLength;
    const std::size_t needed = start + static_cast<std::size_t>(width) * height * 4;
    if (size < needed) {
        return fail(error, "loadTGA",
                    formatString("TGA is truncated: %zu bytes for a %dx%d image of %zu bytes.", size,
                                 width, height, needed));
    }
    image.width = width;
    image.height = height;
    image.hasAlpha = true;
    if (headerOnly) {
        return true;
    }
    image.pixels.reset(new u32[static_cast<std::size_t>(width) * height]);
    const u8* in = data + start;
    for (i32 fileRow = 0; fileRow < height; ++fileRow) {
        u32* out = image.pixels.get() + static_cast<std::size_t>(height - 1 - fileRow) * width;
        for (i32 x = 0; x < width; ++x, in += 4) {
            out[x] = packPixel(in[2], in[1], in[0], in[3]);
        }
    }
    return true;
}

bool decodeJPEG(const u8* data, std::size_t size, bool headerOnly, ImagePixels& image,
                ImageError& error)
{
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    info.err = &errors.library;
    setUpErrors(errors, error);
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        image.pixels.reset();
        return false;
    }
    jpeg_create_decompress(&info);

    jpeg_source_mgr source;
    source.next_input_byte = data;
    source.bytes_in_buffer = data != nullptr ? size : 0;
    source.init_source = kb_init_source;
    source.fill_input_buffer = kb_fill_input_buffer;
    source.skip_input_data = kb_skip_input_data;
    source.resync_to_restart = jpeg_resync_to_restart;
    source.term_source = kb_term_source;
    info.src = &source;

    jpeg_read_header(&info, TRUE);
    if (!checkImageSize(info.image_width, info.image_height, "loadJPG", error)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    image.width = static_cast<i32>(info.image_width);
    image.height = static_cast<i32>(info.image_height);
    image.hasAlpha = false;
    if (!headerOnly) {
        readJpegPixels(info, image);
    }
    jpeg_destroy_decompress(&info);
    return true;
}

bool encodeJPEG(const u32* pixels, i32 width, i32 height, int quality, std::vector<u8>& bytes)
{
    bytes.clear();
    if (pixels == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    ImageError error;
    jpeg_compress_struct info;
    JpegErrorManager errors;
    info.err = &errors.library;
    setUpErrors(errors, error);
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        const u32* in = pixels + static_cast<std::size_t>(info.next_scanline) * width;
        for (i32 x = 0; x < width; ++x) {
            row[x * 3 + 0] = static_cast<JSAMPLE>(in[x]);
            row[x * 3 + 1] = static_cast<JSAMPLE>(in[x] >> 8);
            row[x * 3 + 2] = static_cast<JSAMPLE>(in[x] >> 16);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    bytes.assign(buffer, buffer + size);
    std::free(buffer);
    return true;
}
