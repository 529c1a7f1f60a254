#pragma once
// Archives built byte by byte, for the readers' tests.
#include <cstring>
#include <string>
#include <vector>

#include "file/WadArchive.h"
#include "system/ByteOrder.h"

inline std::string littleEndian32(i32 value)
{
    u8 bytes[4];
    writeLittleEndian32(bytes, value);
    return std::string(reinterpret_cast<char*>(bytes), 4);
}

// A header and the records of `entries` (offsets as given), then `data`.
inline std::string wadBytes(const std::vector<WadEntry>& entries, const std::string& data = "",
                            i32 version = WAD_VERSION)
{
    std::string bytes = littleEndian32(version) + littleEndian32(i32(entries.size()));
    for (const WadEntry& entry : entries) {
        u8 record[WAD_RECORD_SIZE];
        encodeWadRecord(entry, record);
        bytes.append(reinterpret_cast<char*>(record), WAD_RECORD_SIZE);
    }
    return bytes + data;
}

// The offset of the first entry's data in an archive of `count` records.
inline i32 wadDataStart(int count)
{
    return WAD_HEADER_SIZE + WAD_RECORD_SIZE * count;
}
