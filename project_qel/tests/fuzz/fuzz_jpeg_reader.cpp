// Arbitrary bytes as a JPEG file: the reader always comes back through its
// own error path, never the library's exit.
#include "ImageReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzzImageReader(decodeJPEG, data, size);
}
