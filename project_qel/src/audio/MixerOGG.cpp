#include "audio/MixerOGG.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "audio/Mixer.h"
#include "engine/QelAssert.h"
#include "file/MemoryFile.h"

MixerOGG::MixerOGG(MemoryFile* file, bool loop, int maxPlaybacks)
    : maxPlaybacks(maxPlaybacks)
    , file(file)
    , loop(loop)
{
    std::memset(&vf, 0, sizeof(vf));
    ov_callbacks cb = {&MixerOGG::memRead, &MixerOGG::memSeek, nullptr, &MixerOGG::memTell};
    QEL_AUDIO_CHECK(ov_open_callbacks(this, &vf, NULL, 0, cb)==0, {
        std::memset(&vf, 0, sizeof(vf));
        return;
    });
    opened = true;
    vorbis_info* info = ov_info(&vf, -1);
    channels = info->channels;
    rate = static_cast<i32>(info->rate);
    QEL_LOG("\t%d Hz, %s.", rate, channels == 1 ? "mono" : "stereo");
    totalFrames = ov_pcm_total(&vf, -1);
    length = static_cast<i32>(static_cast<u32>(static_cast<u64>(totalFrames)));
}

MixerOGG::~MixerOGG()
{
    ov_clear(&vf);
    delete[] samples;
    samples = nullptr;
}

void MixerOGG::rewind()
{
}

size_t MixerOGG::memRead(void* ptr, size_t size, size_t nmemb, void* source)
{
    auto* self = static_cast<MixerOGG*>(source);
    if (size == 0 || self->file == nullptr || !self->file->data) {
        return 0;
    }
    i64 left = static_cast<i64>(self->file->size) - self->filePos;
    if (self->filePos < 0 || left <= 0) {
        return 0;
    }
    size_t wanted = nmemb <= SIZE_MAX / size ? size * nmemb : SIZE_MAX;
    size_t n = wanted < static_cast<size_t>(left) ? wanted : static_cast<size_t>(left);
    std::memcpy(ptr, self->file->data.get() + self->filePos, n);
    self->filePos += static_cast<i32>(n);
    return n / size;
}

int MixerOGG::memSeek(void* source, ogg_int64_t offset, int whence)
{
    auto* self = static_cast<MixerOGG*>(source);
    i64 position;
    switch (whence) {
    case SEEK_SET: position = offset; break;
    case SEEK_CUR: position = self->filePos + offset; break;
    case SEEK_END: position = (self->file != nullptr ? self->file->size : 0) + offset; break;
    default: return -1;
    }
    // Past the end is allowed (reads there give nothing); before the start
    // or beyond the cursor's range is refused.
    if (position < 0 || position > INT32_MAX) {
        return -1;
    }
    self->filePos = static_cast<i32>(position);
    return 0;
}

long MixerOGG::memTell(void* source)
{
    return static_cast<MixerOGG*>(source)->filePos;
}

long MixerOGG::readFloat(float*** pcm, int maxFrames, int* linkChannels)
{
    int bitstream = 0;
    long result = ov_read_float(&vf, pcm, maxFrames, &bitstream);
    if (result > 0) {
        // A chained file may change its channel count from link to link.
        vorbis_info* info = ov_info(&vf, -1);
        *linkChannels = info != nullptr ? info->channels : 0;
        if (result > maxFrames) {
            result = maxFrames;
        }
    }
    return result;
}

void MixerOGG::storeStereo(float** pcm, long frames, int linkChannels, float* out)
{
    const float* left = pcm[0];
    const float* right = linkChannels == 1 ? pcm[0] : pcm[1];
    for (long i = 0; i < frames; ++i) {
        out[2 * i] = left[i];
        out[2 * i + 1] = right[i];
    }
}

void MixerOGG::reportChannels(int count, const char* function, const char* file, int line)
{
    char message[64];
    std::snprintf(message, sizeof(message), "Unhandled number of channels: %d", count);
    Mixer::errorFailed(message, function, file, line);
}
