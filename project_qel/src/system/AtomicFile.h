#pragma once
// Replaces a file so that a crash, a power cut or a full disk at any moment
// leaves either the old copy or the complete new one: the bytes go to a
// uniquely named temporary file in the same folder, which is flushed to the
// disk and then renamed over the old file, and the folder is synced.
// Failures are logged as warnings and reported through the results, with
// their cause left in errno.
#include <cstddef>

#include "system/UString.h"

class AtomicFile {
public:
    // Creates the temporary file beside `path`.
    explicit AtomicFile(const UString& path);
    // Removes the temporary file unless commit succeeded.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool isOpen() const { return fd >= 0; }
    // Appends at the current position; false (and the file is abandoned)
    // when not every byte was written.
    bool write(const void* bytes, size_t count);
    // Moves the write position to `position` bytes from the start.
    bool seek(i64 position);
    // Makes the new contents the file's: flush, rename over, sync the
    // folder. The old file stays as it was when any step fails.
    bool commit();
    // Drops the new contents; the old file stays.
    void discard();

    const UString& targetPath() const { return path; }

private:
    bool fail(const char* step);

    UString path;
    UString tempPath;
    int fd = -1;
};

// Replaces the file at `path` with `count` bytes, as above.
bool writeFileAtomically(const UString& path, const void* bytes, size_t count);
