#pragma once
// What the tests of the per-user records share: the engine core in a fresh
// per-user folder, the bytes of an image at fixed offsets, and sealed files
// written and read as the records do.
#include <cstring>
#include <initializer_list>
#include <string>

#include "file/FileManager.h"
#include "support/FileCore.h"
#include "system/QelTypes.h"
#include "system/SystemUtils.h"

inline i32 int32At(const u8* bytes, int offset)
{
    return i32(u32(bytes[offset]) | u32(bytes[offset + 1]) << 8 | u32(bytes[offset + 2]) << 16
               | u32(bytes[offset + 3]) << 24);
}

inline i64 int64At(const u8* bytes, int offset)
{
    return i64(u64(u32(int32At(bytes, offset))) | u64(u32(int32At(bytes, offset + 4))) << 32);
}

inline void putInt32(u8* bytes, int offset, i32 value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = u8(u32(value) >> (8 * i));
    }
}

inline void putInt64(u8* bytes, int offset, i64 value)
{
    putInt32(bytes, offset, i32(u32(u64(value))));
    putInt32(bytes, offset + 4, i32(u32(u64(value) >> 32)));
}

inline float floatAt(const u8* bytes, int offset)
{
    float value;
    std::memcpy(&value, bytes + offset, 4);
    return value;
}

inline std::string textAt(const u8* bytes, int offset, int width)
{
    const char* text = reinterpret_cast<const char*>(bytes + offset);
    return std::string(text, strnlen(text, size_t(width)));
}

// A little-endian integer field of an image and the value it must hold.
struct FieldAt {
    int offset;
    int width; // 1, 4 or 8 bytes
    i64 value;
};

inline void expectFields(const u8* bytes, std::initializer_list<FieldAt> fields)
{
    for (const FieldAt& field : fields) {
        i64 actual = field.width == 1 ? bytes[field.offset]
                     : field.width == 4 ? int32At(bytes, field.offset)
                                        : int64At(bytes, field.offset);
        EXPECT_EQ(actual, field.value) << "field at offset " << field.offset;
    }
}

// How often `line` stands in `text`.
inline size_t countOf(const std::string& text, const std::string& line)
{
    size_t count = 0;
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) {
        ++count;
    }
    return count;
}

// The file in the per-user folder holds the record exactly as it stands in
// memory.
template <class Record>
bool isOnDisk(const Record& record)
{
    typename Record::Image image{};
    return FileManager::loadSealed(getUserDataPath(true), Record::getFileName(), Record::KEY_TEXT, image.data(),
                                   int(image.size())) &&
           image == record.toImage();
}

// The engine core in a fresh per-user folder, and the record files in it.
template <class Record>
class UserFileTest : public testing::Test {
protected:
    using Image = typename Record::Image;

    UserFileTest() { getUserDataPath(true); }

    std::string path() const { return core.folder.userFolder() + Record::getFileName(); }
    std::string fileBytes() const { return TempFolder::readFile(path()); }
    void writeImage(const Image& image) const
    {
        FileManager::saveSealed(core.folder.userFolder(), Record::getFileName(), Record::KEY_TEXT, image.data(),
                                int(image.size()));
    }
    void writeSealed(const std::string& bytes) const
    {
        FileManager::saveSealed(core.folder.userFolder(), Record::getFileName(), Record::KEY_TEXT, bytes.data(),
                                int(bytes.size()));
    }
    // The image in the file, all zero when it does not load.
    Image readImage() const
    {
        Image image{};
        EXPECT_TRUE(FileManager::loadSealed(core.folder.userFolder(), Record::getFileName(), Record::KEY_TEXT,
                                            image.data(), int(image.size())));
        return image;
    }

    FileCore core;
};
