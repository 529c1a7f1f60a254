#pragma once
// A readable run of bytes handed out by the file manager.
#include "system/QelTypes.h"

class DataStream {
public:
    virtual ~DataStream() = default;
    // Reads up to count bytes; returns how many were read, or -1 when the
    // stream cannot be read at all.
    virtual int read(void* buffer, int count) = 0;

    i32 size = 0;
};
