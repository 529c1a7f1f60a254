// Arbitrary bytes as a data pack: the directory reader must refuse what is
// damaged, and every entry it accepts must lie inside the bytes and inflate
// (or fail to) without reading or writing out of bounds.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "file/WadArchive.h"
#include "system/MemoryStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 0x7fffffff) {
        return 0;
    }
    MemoryStream stream{int(size)};
    if (size > 0) {
        std::memcpy(stream.data.get(), data, size);
    }
    WadDirectory directory;
    if (!readWadDirectory(stream, i64(size), "fuzz.dat", directory)) {
        return 0;
    }
    for (const WadEntry& entry : directory.entries) {
        if (i64(entry.offset) + entry.storedSize > i64(size)) {
            __builtin_trap();
        }
        if (entry.isCompressed()) {
            auto out = std::make_unique<u8[]>(size_t(entry.size) + 1);
            uLongf length = uLongf(entry.size);
            uncompress(out.get(), &length, data + entry.offset, uLong(entry.storedSize));
        }
    }
    return 0;
}
