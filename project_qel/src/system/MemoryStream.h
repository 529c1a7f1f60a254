#pragma once
// A stream over a byte buffer it owns; the creator fills `data` directly.
#include <memory>

#include "system/DataStream.h"

class MemoryStream : public DataStream {
public:
    explicit MemoryStream(int size);

    int read(void* buffer, int count) override;

    std::unique_ptr<u8[]> data;
    i32 position = 0;
};
