#pragma once
// Writes a replication role's traffic to a file that NetPlayback can replay.
//
// File layout, little-endian: the game name "Vabodemo" in 32 bytes and the
// version "1.30" in 16 bytes, each NUL-terminated and padded with zeros;
// the recording host's UID (u32); then records to the end of the file, each
// the packet's time (IEEE double, engine-clock seconds), its length n (u32)
// and its n bytes. There is no count and no end marker.
//
// A file that cannot be created gives a recording that writes nothing.
#include "object/QelBase.h"

class FileStream;
class Packet;

class NetRecording : public QelBase {
public:
    static constexpr const char* GAME_NAME = "Vabodemo";
    static constexpr const char* GAME_VERSION = "1.30";
    static constexpr int NAME_FIELD = 32;
    static constexpr int VERSION_FIELD = 16;
    static constexpr int HEADER_SIZE = NAME_FIELD + VERSION_FIELD + 4;
    // Time and length in front of each record's bytes.
    static constexpr int RECORD_HEAD = 12;
    // The longest first record, the snapshot of the world: room for the
    // objects peers may make and for this side's own identifiers at well
    // over 100 bytes each. Every later record is one payload.
    static constexpr i32 SNAPSHOT_LIMIT = 256 << 20;

    explicit NetRecording(const UString& path);
    ~NetRecording() override;

    void writeHeader(u32 hostUID);
    // Appends one record for the packet's data, or for its first `length`
    // bytes when length >= 0; the packet is not changed.
    void record(Packet* packet, i32 length = -1);

    FileStream* stream = nullptr;
};
