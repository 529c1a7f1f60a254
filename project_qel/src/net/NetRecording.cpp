#include "net/NetRecording.h"

#include <cstring>

#include "net/Packet.h"
#include "system/FileStream.h"

NetRecording::NetRecording(const UString& path)
    : stream(new FileStream(path, FileStream::WRITE))
{
    if (!stream->isOpen) {
        delete stream;
        stream = nullptr;
    }
}

NetRecording::~NetRecording()
{
    delete stream;
}

void NetRecording::writeHeader(u32 hostUID)
{
    if (stream == nullptr) {
        return;
    }
    u8 header[HEADER_SIZE] = {};
    std::memcpy(header, GAME_NAME, std::strlen(GAME_NAME));
    std::memcpy(header + NAME_FIELD, GAME_VERSION, std::strlen(GAME_VERSION));
    std::memcpy(header + NAME_FIELD + VERSION_FIELD, &hostUID, 4);
    stream->write(header, HEADER_SIZE);
}

void NetRecording::record(Packet* packet, i32 length)
{
    if (stream == nullptr) {
        return;
    }
    double time = packet->time;
    const i32 size = packet->getDataSize();
    u32 count = static_cast<u32>(length >= 0 && length < size ? length : size);
    stream->write(&time, 8);
    stream->write(&count, 4);
    stream->write(packet->buffer, static_cast<int>(count));
}
