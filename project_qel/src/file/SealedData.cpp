#include "file/SealedData.h"

#include <zlib.h>

#include <cstring>

#include "object/RuntimeClass.h"
#include "system/AtomicFile.h"
#include "system/ByteOrder.h"
#include "system/FileStream.h"
#include "system/Md5.h"

namespace {

constexpr int NAME_FIELD = 32;
constexpr int DIGEST_OFFSET = 48;
constexpr int LENGTH_FIELD = 4;
constexpr int STREAM_OFFSET = SealedData::HEADER_SIZE + LENGTH_FIELD;
// Deflate never packs more than 1032 bytes into one.
constexpr i64 MAX_INFLATE_RATIO = 1032;

} // namespace

void SealedData::clear()
{
    data.reset();
    size = 0;
}

bool SealedData::seal(const void* source, int length, unsigned key)
{
    clear();
    if (length <= 0 || length > MAX_SIZE || source == nullptr) {
        return false;
    }
    uLongf compressedLength = compressBound(uLong(length));
    auto sealed = std::make_unique<u8[]>(size_t(STREAM_OFFSET) + compressedLength);
    if (compress(sealed.get() + STREAM_OFFSET, &compressedLength, static_cast<const Bytef*>(source),
                 uLong(length))
        != Z_OK) {
        return false;
    }
    std::memcpy(sealed.get(), "Vabodemo", sizeof("Vabodemo"));
    std::memcpy(sealed.get() + NAME_FIELD, "1.30", sizeof("1.30"));
    writeLittleEndian32(sealed.get() + HEADER_SIZE, length);
    i32 payload = LENGTH_FIELD + i32(compressedLength);
    md5Keyed(sealed.get() + DIGEST_OFFSET, key, sealed.get() + HEADER_SIZE, payload);
    data = std::move(sealed);
    size = HEADER_SIZE + payload;
    return true;
}

bool SealedData::unseal(const void* sealed, int length, unsigned key)
{
    clear();
    const u8* bytes = static_cast<const u8*>(sealed);
    if (bytes == nullptr || length - HEADER_SIZE <= 0) {
        return false;
    }
    unsigned char digest[16];
    md5Keyed(digest, key, bytes + HEADER_SIZE, length - HEADER_SIZE);
    if (!md5Equal(digest, bytes + DIGEST_OFFSET) || length < STREAM_OFFSET) {
        return false;
    }
    i32 expected = readLittleEndian32(bytes + HEADER_SIZE);
    i64 streamLength = length - STREAM_OFFSET;
    if (expected < 0 || expected > MAX_SIZE || expected > streamLength * MAX_INFLATE_RATIO) {
        return false;
    }
    auto unsealed = std::make_unique<u8[]>(expected > 0 ? size_t(expected) : 1);
    uLongf inflated = uLongf(expected);
    if (uncompress(unsealed.get(), &inflated, bytes + STREAM_OFFSET, uLong(streamLength)) != Z_OK
        || inflated != uLongf(expected)) {
        return false;
    }
    data = std::move(unsealed);
    size = expected;
    return true;
}

bool SealedData::save(const UString& path) const
{
    return data != nullptr && writeFileAtomically(path, data.get(), size_t(size));
}

bool SealedData::load(const UString& path, unsigned key)
{
    clear();
    FileStream file(path, FileStream::READ);
    // No sealed form of MAX_SIZE bytes is larger than its bound.
    if (!file.isOpen || i64(file.size) > i64(STREAM_OFFSET) + i64(compressBound(MAX_SIZE))) {
        return false;
    }
    auto sealed = std::make_unique<u8[]>(file.size > 0 ? size_t(file.size) : 1);
    if (!file.readAll(sealed.get(), file.size)) {
        return false;
    }
    return unseal(sealed.get(), file.size, key);
}

unsigned SealedData::makeKey(const UString& name, const UString& keyText)
{
    return classNameHash((name + keyText).c_str());
}
