#pragma once
// A sealed buffer: the data as one zlib stream behind a 64-byte header
// (application name, version, and the MD5 digest of a 32-bit key followed
// by everything after the header), then the unsealed length and the
// stream. A buffer whose digest does not match, or that does not inflate to
// the length it claims, is refused.
#include <memory>

#include "system/UString.h"

class SealedData {
public:
    static constexpr int HEADER_SIZE = 64;
    // The engine seals small records; a larger claim is a damaged file.
    static constexpr int MAX_SIZE = 64 << 20;

    SealedData() = default;
    virtual ~SealedData() = default;
    SealedData(const SealedData&) = delete;
    SealedData& operator=(const SealedData&) = delete;

    // Replaces the contents with the sealed form of `length` bytes; false
    // (and empty) for no bytes, too many bytes or a zlib error.
    bool seal(const void* source, int length, unsigned key);
    // Replaces the contents with the data of a sealed buffer; false (and
    // empty) unless the digest matches and the stream inflates to exactly
    // the length it claims. Refuses negative and oversized lengths before
    // allocating anything.
    bool unseal(const void* sealed, int length, unsigned key);
    // Replaces the file with the contents (see AtomicFile); false when
    // empty or not written.
    bool save(const UString& path) const;
    // Reads the whole file and unseals it.
    bool load(const UString& path, unsigned key);

    // The key of a file: the class-name hash of its name followed by the
    // caller's key text.
    static unsigned makeKey(const UString& name, const UString& keyText);

    std::unique_ptr<u8[]> data;
    i32 size = 0;

private:
    void clear();
};
