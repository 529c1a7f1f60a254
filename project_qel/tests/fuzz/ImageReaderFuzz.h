#pragma once
// One fuzz input through an image reader, header only and whole: a reader
// must either decode every pixel from inside the bytes or say why it cannot.
#include <cstddef>
#include <cstdint>

#include "graphics/ImageCodecs.h"

template <class Reader>
int fuzzImageReader(Reader reader, const uint8_t* data, size_t size)
{
    for (bool headerOnly : {true, false}) {
        ImagePixels image;
        ImageError error;
        if (reader(data, size, headerOnly, image, error) && image.pixels) {
            // Every pixel is read, so that sanitizers see one left unwritten.
            u32 mix = 0;
            for (i64 i = 0; i < i64(image.width) * image.height; ++i) {
                mix ^= image.pixels[i];
            }
            if (mix == 0x12345678u) {
                return 0;
            }
        }
    }
    return 0;
}
