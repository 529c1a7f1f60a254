#pragma once
// The WAD archive format: a version, a count, one 92-byte record per entry
// (an 80-byte scrambled name, offset, size and stored size, all integers
// 32-bit little-endian), then the entries' data back to back. An entry is a
// zlib stream exactly when its stored size differs from its size.
#include <vector>

#include "system/DataStream.h"
#include "system/UString.h"

constexpr i32 WAD_VERSION = 2;
constexpr int WAD_HEADER_SIZE = 8;
constexpr int WAD_RECORD_SIZE = 92;
constexpr int WAD_NAME_SIZE = 80;
// The name and its terminating zero byte fill at most the name field.
constexpr int WAD_MAX_NAME_LENGTH = WAD_NAME_SIZE - 1;

// One entry of the file manager's directory.
struct WadEntry {
    UString fileName;
    // The archive file that holds the entry (or will hold it).
    UString wadName;
    i32 offset = 0;
    i32 size = 0;
    i32 storedSize = 0;

    bool isCompressed() const { return storedSize != size; }
};

// The header and directory of one archive.
struct WadDirectory {
    bool hasHeader = false;
    i32 version = 0;
    std::vector<WadEntry> entries;
    // Why the archive was refused.
    UString problem;
};

// Reads the header and the records of the archive `wadName`, `archiveSize`
// bytes long, from a stream at its start. False, with `problem` set, for a
// version other than WAD_VERSION and for a damaged archive: too short for
// its header or its directory, a name without its terminator, an entry
// whose data lie outside the archive or whose size its stored bytes could
// not inflate to. Never reads or allocates more than the archive holds.
bool readWadDirectory(DataStream& stream, i64 archiveSize, const UString& wadName, WadDirectory& out);

// Why a name cannot be stored in a record (longer than
// WAD_MAX_NAME_LENGTH, holding a zero byte, or beginning with a byte of 0x80
// or above, which would be read back as a plain name); empty when it can.
UString wadNameProblem(const UString& name);

// The name field of a record: random filler, the name with its zero byte,
// every byte XOR-ed with 0xD7. The name must fit (WAD_MAX_NAME_LENGTH).
void encodeWadName(const UString& name, u8 field[WAD_NAME_SIZE]);
// The name of a field, unscrambled when its first byte is 0x80 or above;
// false when the field holds no zero byte.
bool decodeWadName(const u8 field[WAD_NAME_SIZE], UString& name);
// The whole 92-byte record of an entry.
void encodeWadRecord(const WadEntry& entry, u8 record[WAD_RECORD_SIZE]);

// Whether an entry of `size` bytes is stored as its zlib stream of
// `compressedLength` bytes: only when that saves more than 5%.
bool wadCompressionWorthIt(i32 size, u64 compressedLength);
