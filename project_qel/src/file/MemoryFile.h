#pragma once
// One whole file read through the engine's file manager into one buffer:
// the usual way to read a resource.
#include <memory>

#include "object/QelBase.h"
#include "system/UString.h"

class MemoryFile : public QelBase {
public:
    // The empty path gives an empty file without asking the file manager;
    // any other path is read whole (a missing file is fatal).
    explicit MemoryFile(const UString& path);
    ~MemoryFile() override = default;

    // Null for an empty MemoryFile; allocated (if empty) for a file of 0 bytes.
    std::unique_ptr<u8[]> data;
    i32 size = 0;
};
