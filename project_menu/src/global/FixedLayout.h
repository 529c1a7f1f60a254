#pragma once
// Moves the fields of a per-user record between the record and its byte
// image, each at a fixed offset in little-endian order, whatever the
// compiler's struct layout. One transfer routine lists every field once and
// serves for reading and for writing: a reader fills the fields from the
// image, a writer fills the image from the fields. Booleans are read as
// "any non-zero byte" and written as 0 or 1.
#include "math/V3.h"
#include "system/Time.h"
#include "system/UString.h"

class FixedLayout {
public:
    static FixedLayout reader(const u8* image, int size) { return FixedLayout(const_cast<u8*>(image), size, false); }
    static FixedLayout writer(u8* image, int size) { return FixedLayout(image, size, true); }

    bool isWriting() const { return writing; }

    void doBytes(int offset, void* field, int width);
    void doI32(int offset, i32& value);
    void doU32(int offset, u32& value);
    void doI64(int offset, i64& value);
    void doFloat(int offset, float& value);
    void doBool(int offset, bool& value);
    void doTime(int offset, Time& value) { doI64(offset, value.seconds); }
    void doV3(int offset, V3& value);

    // The part of the image that starts at `offset`, for a nested record.
    FixedLayout at(int offset, int width) const;

private:
    FixedLayout(u8* image, int size, bool write) : bytes(image), size(size), writing(write) {}
    u8* field(int offset, int width) const;

    u8* bytes;
    int size;
    bool writing;
};

// Ends a text inside its field: when no byte of it is 0, the last one
// becomes 0.
void terminateWithin(char* text, int width);
// Copies at most width - 1 characters of `text` and a terminator into the
// field; the bytes after the terminator stay as they were.
void copyName(char* field, int width, const UString& text);
// `value` brought into [low, high].
inline i32 clampInt(i32 value, i32 low, i32 high)
{
    return value < low ? low : (value > high ? high : value);
}
// a + b, held at the limits of i32 instead of wrapping.
i32 saturatingAdd(i32 a, i32 b);
