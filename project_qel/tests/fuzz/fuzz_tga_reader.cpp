// Arbitrary bytes as a TGA file: the reader must either decode every pixel
// from inside the bytes or report why it cannot.
#include <cstddef>
#include <cstdint>

#include "graphics/ImageCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (bool headerOnly : {true, false}) {
        ImagePixels image;
        ImageError error;
        if (decodeTGA(data, size, headerOnly, image, error) && image.pixels) {
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
