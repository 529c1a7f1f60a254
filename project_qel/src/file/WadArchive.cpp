#include "file/WadArchive.h"

#include <cstring>
#include <memory>

#include "math/RandomSource.h"
#include "system/ByteOrder.h"
#include "system/StringUtils.h"

namespace {

constexpr u8 NAME_SCRAMBLE = 0xD7;
// Deflate never packs more than 1032 bytes into one: a larger size than
// that of its stored bytes is a damaged record.
constexpr i64 MAX_INFLATE_RATIO = 1032;

bool refuse(WadDirectory& out, const UString& problem)
{
    out.problem = problem;
    out.entries.clear();
    return false;
}

} // namespace

bool readWadDirectory(DataStream& stream, i64 archiveSize, const UString& wadName, WadDirectory& out)
{
    out = WadDirectory();
    u8 header[WAD_HEADER_SIZE];
    if (archiveSize < WAD_HEADER_SIZE || !stream.readAll(header, WAD_HEADER_SIZE)) {
        return refuse(out, "the file is too short for the header");
    }
    out.hasHeader = true;
    out.version = readLittleEndian32(header);
    if (out.version != WAD_VERSION) {
        return refuse(out, formatString("version %d is not %d", out.version, WAD_VERSION));
    }
    i32 count = readLittleEndian32(header + 4);
    if (count <= 0) {
        return true;
    }
    if (i64(count) > (archiveSize - WAD_HEADER_SIZE) / WAD_RECORD_SIZE) {
        return refuse(out, formatString("the directory of %d entries runs past the end of the file", count));
    }
    auto records = std::make_unique<u8[]>(size_t(count) * WAD_RECORD_SIZE);
    if (!stream.readAll(records.get(), count * WAD_RECORD_SIZE)) {
        return refuse(out, "the directory could not be read");
    }
    out.entries.reserve(size_t(count));
    for (i32 i = 0; i < count; ++i) {
        const u8* record = records.get() + size_t(i) * WAD_RECORD_SIZE;
        WadEntry entry;
        if (!decodeWadName(record, entry.fileName)) {
            return refuse(out, formatString("the name of entry %d has no terminator", i));
        }
        entry.wadName = wadName;
        entry.offset = readLittleEndian32(record + WAD_NAME_SIZE);
        entry.size = readLittleEndian32(record + WAD_NAME_SIZE + 4);
        entry.storedSize = readLittleEndian32(record + WAD_NAME_SIZE + 8);
        if (entry.offset < 0 || entry.size < 0 || entry.storedSize < 0
            || i64(entry.offset) + entry.storedSize > archiveSize) {
            return refuse(out, formatString("entry '%s' lies outside the file", entry.fileName.c_str()));
        }
        if (entry.isCompressed() && i64(entry.size) > i64(entry.storedSize) * MAX_INFLATE_RATIO) {
            return refuse(out, formatString("entry '%s' claims %d bytes from %d", entry.fileName.c_str(),
                                            entry.size, entry.storedSize));
        }
        out.entries.push_back(std::move(entry));
    }
    return true;
}

UString wadNameProblem(const UString& name)
{
    if (name.size() > size_t(WAD_MAX_NAME_LENGTH)) {
        return formatString("it is %zu bytes long, longer than %d bytes", name.size(), WAD_MAX_NAME_LENGTH);
    }
    if (name.find('\0') != UString::npos) {
        return "it holds a zero byte";
    }
    if (!name.empty() && u8(name[0]) >= 0x80) {
        return "it begins with a byte of 0x80 or above";
    }
    return UString();
}

void encodeWadName(const UString& name, u8 field[WAD_NAME_SIZE])
{
    for (int i = 0; i < WAD_NAME_SIZE; ++i) {
        field[i] = static_cast<u8>(RandomSource::below(255));
    }
    size_t length = name.size() < size_t(WAD_MAX_NAME_LENGTH) ? name.size() : size_t(WAD_MAX_NAME_LENGTH);
    std::memcpy(field, name.data(), length);
    field[length] = 0;
    for (int i = 0; i < WAD_NAME_SIZE; ++i) {
        field[i] ^= NAME_SCRAMBLE;
    }
}

bool decodeWadName(const u8 field[WAD_NAME_SIZE], UString& name)
{
    u8 plain[WAD_NAME_SIZE];
    bool scrambled = field[0] >= 0x80;
    for (int i = 0; i < WAD_NAME_SIZE; ++i) {
        plain[i] = scrambled ? u8(field[i] ^ NAME_SCRAMBLE) : field[i];
    }
    const void* end = std::memchr(plain, 0, WAD_NAME_SIZE);
    if (end == nullptr) {
        return false;
    }
    name.assign(reinterpret_cast<const char*>(plain), size_t(static_cast<const u8*>(end) - plain));
    return true;
}

void encodeWadRecord(const WadEntry& entry, u8 record[WAD_RECORD_SIZE])
{
    encodeWadName(entry.fileName, record);
    writeLittleEndian32(record + WAD_NAME_SIZE, entry.offset);
    writeLittleEndian32(record + WAD_NAME_SIZE + 4, entry.size);
    writeLittleEndian32(record + WAD_NAME_SIZE + 8, entry.storedSize);
}

bool wadCompressionWorthIt(i32 size, u64 compressedLength)
{
    return double(float(size)) * 0.95 > double(float(compressedLength));
}
