#pragma once
// A readable run of bytes handed out by the file manager.
#include "system/QelTypes.h"

class DataStream {
public:
    virtual ~DataStream() = default;
    // Reads up to count bytes; returns how many were read, or -1 when the
    // stream cannot be read at all.
    virtual int read(void* buffer, int count) = 0;
    // Reads exactly count bytes; false when the stream ends or fails first.
    bool readAll(void* buffer, int count)
    {
        char* next = static_cast<char*>(buffer);
        while (count > 0) {
            int got = read(next, count);
            if (got <= 0) {
                return false;
            }
            next += got;
            count -= got;
        }
        return true;
    }

    i32 size = 0;
};
