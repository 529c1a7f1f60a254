#pragma once
// A source of the mixer: an Ogg Vorbis file held in memory, delivered to the
// voices in blocks of interleaved stereo floats (mono doubled to both sides).
// Decoding goes through libvorbisfile with read, seek and tell callbacks
// over the file's bytes.
#include <vorbis/vorbisfile.h>

#include "object/QelBase.h"

class MemoryFile;

class MixerOGG : public QelBase {
public:
    // A file that is not Ogg Vorbis is fatal.
    MixerOGG(MemoryFile* file, bool loop, int maxPlaybacks);
    ~MixerOGG() override;

    // Makes [playCursor, playMax) the block to play next. A new voice passes
    // playMax < 0. False when the source has nothing more to give.
    virtual bool refill(int& playCursor, int& playMax) = 0;
    virtual void rewind();

    static size_t memRead(void* ptr, size_t size, size_t nmemb, void* source);
    static int memSeek(void* source, ogg_int64_t offset, int whence);
    static long memTell(void* source);

    i32 rate = 0;
    i32 maxPlaybacks = 0;
    MemoryFile* file = nullptr;
    OggVorbis_File vf;
    bool loop = false;
    i32 length = 0;
    i32 channels = 0;
    float* samples = nullptr;
    i32 blockLength = 0;
    i32 capacity = 0;
    i32 filePos = 0;

protected:
    // Decodes the next packet's frames (at most maxFrames), or returns 0 at
    // the end or a negative libvorbisfile error. *pcm receives the channels
    // and *linkChannels their count for the part of the file being read.
    long readFloat(float*** pcm, int maxFrames, int* linkChannels);
    // Stores frames of one or two channels as stereo pairs at out.
    static void storeStereo(float** pcm, long frames, int linkChannels, float* out);
    // "Unhandled number of channels: %d", fatal or kept (Mixer::errorFailed).
    static void reportChannels(int count, const char* function, const char* file, int line);
    bool opened = false;
    i64 totalFrames = 0;
};
