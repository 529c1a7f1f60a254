#include "net/NetPlayback.h"

#include <cmath>
#include <cstring>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "input/KeyCodes.h"
#include "input/QelInput.h"
#include "net/NetConnection.h"
#include "net/NetRecording.h"
#include "net/Packet.h"
#include "system/FileStream.h"

namespace {

// The field holds text ending in a NUL that equals the expected text.
bool fieldHolds(const char* field, int width, const char* expected)
{
    return std::memchr(field, '\0', static_cast<size_t>(width)) != nullptr && std::strcmp(field, expected) == 0;
}

bool f11Held()
{
    return g_qel != nullptr && g_qel->input != nullptr && g_qel->input->keys[DIK_F11] != 0;
}

} // namespace

NetPlayback::NetPlayback(const UString& path)
    : stream(new FileStream(path, FileStream::READ))
{
    if (!stream->isOpen) {
        delete stream;
        stream = nullptr;
        fail(formatString("could not open the recording %s", path.c_str()));
    }
}

NetPlayback::~NetPlayback()
{
    delete stream;
}

void NetPlayback::fail(const UString& reason)
{
    bFinished = true;
    if (failure.empty()) {
        failure = reason;
        QEL_LOG("%s", reason.c_str());
    }
}

UString NetPlayback::checkFile()
{
    char name[NetRecording::NAME_FIELD];
    char version[NetRecording::VERSION_FIELD];
    u32 uid = 0;
    stream->seek(0);
    if (!stream->readAll(name, sizeof(name)) || !stream->readAll(version, sizeof(version)) ||
        !stream->readAll(&uid, 4)) {
        return "recording damaged: the header is cut short";
    }
    if (!fieldHolds(name, sizeof(name), NetRecording::GAME_NAME)) {
        return formatString("recording damaged: the name is not \"%s\"", NetRecording::GAME_NAME);
    }
    if (!fieldHolds(version, sizeof(version), NetRecording::GAME_VERSION)) {
        return formatString("recording damaged: the version is not \"%s\"", NetRecording::GAME_VERSION);
    }
    i64 position = NetRecording::HEADER_SIZE;
    const i64 size = stream->size;
    completeRecords = 0;
    cut.clear();
    for (int record = 1; position < size; ++record) {
        const i64 left = size - position;
        double time = 0.0;
        u32 length = 0;
        if (left < 8) {
            cut = formatString("recording cut short: record %d ends inside its time stamp", record);
            break;
        }
        stream->readAll(&time, 8);
        if (!std::isfinite(time)) {
            return formatString("recording damaged: record %d has no valid time", record);
        }
        if (left < NetRecording::RECORD_HEAD) {
            cut = formatString("recording cut short: record %d ends after its time stamp", record);
            break;
        }
        stream->readAll(&length, 4);
        position += NetRecording::RECORD_HEAD;
        const bool pastTheEnd = length > static_cast<u64>(size - position);
        // No role writes a record longer than a snapshot or a payload can
        // be: such a length is damage, not a file that stopped growing.
        if (length > longestRecord(record)) {
            return formatString(pastTheEnd ? "recording damaged: record %d ends past the end of the file"
                                           : "recording damaged: record %d is longer than any payload",
                                record);
        }
        if (pastTheEnd) {
            cut = formatString("recording cut short: record %d ends past the end of the file", record);
            break;
        }
        position += length;
        ++completeRecords;
        stream->seek(static_cast<int>(position));
    }
    stream->seek(NetRecording::HEADER_SIZE);
    return "";
}

u32 NetPlayback::longestRecord(int record)
{
    return static_cast<u32>(record == 1 ? NetRecording::SNAPSHOT_LIMIT : Packet::DEFAULT_CAPACITY);
}

bool NetPlayback::readTime()
{
    return stream->readAll(&nextTime, 8);
}

void NetPlayback::playbackHeader(u32* hostUID)
{
    if (stream == nullptr) {
        return;
    }
    UString damage = checkFile();
    if (!damage.empty()) {
        fail(damage);
        return;
    }
    stream->seek(NetRecording::NAME_FIELD + NetRecording::VERSION_FIELD);
    stream->readAll(hostUID, 4);
    if (completeRecords == 0 && !cut.empty()) {
        fail(cut);
        return;
    }
    if (readTime()) {
        bFinished = false;
        double now = NetConnection::now();
        timeOffset = now - nextTime;
        nextTime += timeOffset;
    }
}

Packet* NetPlayback::getNextPacket()
{
    if (stream == nullptr || bFinished || nextTime > NetConnection::now()) {
        return nullptr;
    }
    u32 length = 0;
    if (!stream->readAll(&length, 4) || length > longestRecord(recordNumber + 1)) {
        fail(formatString("recording damaged: record %d ends past the end of the file", recordNumber + 1));
        return nullptr;
    }
    auto* packet = new Packet(Packet::NETWORK_FLAGS, static_cast<int>(length));
    if (length > 0 && !stream->readAll(packet->buffer, static_cast<int>(length))) {
        delete packet;
        fail(formatString("recording damaged: record %d ends past the end of the file", recordNumber + 1));
        return nullptr;
    }
    ++recordNumber;
    packet->cursor = packet->buffer + length;
    packet->time = nextTime - timeOffset;
    packet->rewindToRead();
    if (recordNumber == completeRecords && !cut.empty()) {
        fail(cut);
        return packet;
    }
    if (!readTime()) {
        bFinished = true;
        return packet;
    }
    nextTime += timeOffset;
    if (f11Held()) {
        double now = NetConnection::now();
        timeOffset -= nextTime - now;
        nextTime = now;
    }
    return packet;
}
