#pragma once
// Replays a file written by NetRecording: hands out its records as readable
// packets, each when its recorded time has come on the engine clock, at
// most one per call.
//
// The file comes from outside. Before anything is replayed, playbackHeader
// checks the header (name and version each NUL-terminated within their
// fields and equal to this game's) and the framing of every record (a
// finite time, a length no longer than a payload can be, or for the first
// record, the snapshot of the world, than NetRecording::SNAPSHOT_LIMIT). A
// file that fails is not replayed: the playback is finished from the start
// and `failure` says why, as does the log. A file whose last record is cut
// short (inside or right after its time stamp, or with a length past the
// end of the file), as a recording that stopped with its program is,
// replays every complete record and then finishes with that reason. A file
// that cannot be opened, or that holds no record, is finished from the
// start as well.
#include "object/QelBase.h"

class FileStream;
class Packet;

class NetPlayback : public QelBase {
public:
    explicit NetPlayback(const UString& path);
    ~NetPlayback() override;

    // Checks the file, stores the recorded host UID through the pointer and
    // makes the first record due now. Does nothing without a stream.
    void playbackHeader(u32* hostUID);
    // The next record as a readable packet, or null when none is due; the
    // caller processes and deletes it. With F11 held, the record after it
    // is due at once and the later ones keep their spacing from it.
    Packet* getNextPacket();
    // Ends the playback for a reason (the first reason is kept).
    void fail(const UString& reason);

    bool bFinished = true;
    FileStream* stream = nullptr;
    double nextTime = 0.0;
    double timeOffset = 0.0;
    // The number of the last record handed out, 1 for the first.
    int recordNumber = 0;
    // Why the file was not replayed to its end; empty when nothing failed.
    UString failure;
    // The records before the cut, and why the file ends early (empty when
    // it ends after a whole record).
    int completeRecords = 0;
    UString cut;

private:
    // The reason the file's header or framing is damaged; empty when sound.
    UString checkFile();
    // The longest that the record of this number (1 for the first) can be.
    static u32 longestRecord(int record);
    // Reads the next record's time; false at the end of the file.
    bool readTime();
};
