// Arbitrary bytes as a TGA file.
#include "ImageReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzzImageReader(decodeTGA, data, size);
}
