// Arbitrary bytes as a sealed file, once as they are and once with a digest
// that matches, so that the length field and the zlib stream are reached.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "file/SealedData.h"
#include "system/Md5.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 20) {
        return 0;
    }
    const unsigned key = SealedData::makeKey("settings.hst", "fuzz");
    SealedData sealed;
    sealed.unseal(data, int(size), key);

    if (size > SealedData::HEADER_SIZE) {
        std::vector<u8> signedCopy(data, data + size);
        md5Keyed(&signedCopy[48], key, &signedCopy[64], int(size) - 64);
        // A record of no bytes unseals, but nothing seals it again.
        if (sealed.unseal(signedCopy.data(), int(size), key) && sealed.size > 0) {
            SealedData resealed;
            if (!resealed.seal(sealed.data.get(), sealed.size, key)) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
