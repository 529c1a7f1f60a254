#include "audio/MixerOGGstatic.h"

#include <cstdio>
#include <cstring>

#include "audio/Mixer.h"

MixerOGGstatic::MixerOGGstatic(MemoryFile* file, bool loop, int maxPlaybacks)
    : MixerOGG(file, loop, maxPlaybacks)
{
    if (!opened) {
        return;
    }
    if (totalFrames > MAX_FRAMES) {
        char message[96];
        std::snprintf(message, sizeof(message), "Invalid sound length: %lld sample frames.",
                      static_cast<long long>(totalFrames));
        Mixer::errorFailed(message, __func__, __FILE__, __LINE__);
        length = 0;
        return;
    }
    // The total is only what the file claims. Decoding stops when the
    // buffer is full, and a sound that holds less ends where its data ends.
    // A file that cannot say (cut short, or a broken last page) grows its
    // buffer as it decodes, up to the same limit.
    const bool claimed = totalFrames > 0;
    int limit = claimed ? length : static_cast<int>(MAX_FRAMES);
    capacity = claimed ? 2 * length : 2 * 65536;
    samples = new float[capacity]();
    int frames = 0;
    while (frames < limit) {
        float** pcm = nullptr;
        int linkChannels = 0;
        int room = capacity / 2 - frames;
        if (room == 0) {
            grow(frames);
            room = capacity / 2 - frames;
        }
        long result = readFloat(&pcm, room < 65536 ? room : 65536, &linkChannels);
        QEL_AUDIO_CHECK(result>=0, break);
        if (result == 0) {
            break;
        }
        if (linkChannels != 1 && linkChannels != 2) {
            reportChannels(linkChannels, __func__, __FILE__, __LINE__);
            break;
        }
        storeStereo(pcm, result, linkChannels, samples + 2 * frames);
        frames += static_cast<int>(result);
    }
    length = frames;
    blockLength = 2 * frames;
    this->file = nullptr;
}

void MixerOGGstatic::grow(int frames)
{
    i64 doubled = 2 * static_cast<i64>(capacity);
    int grown = static_cast<int>(doubled < 2 * MAX_FRAMES ? doubled : 2 * MAX_FRAMES);
    auto* larger = new float[grown]();
    std::memcpy(larger, samples, sizeof(float) * 2 * static_cast<size_t>(frames));
    delete[] samples;
    samples = larger;
    capacity = grown;
}

bool MixerOGGstatic::refill(int& playCursor, int& playMax)
{
    if (playMax < 0) {
        playCursor = 0;
        playMax = blockLength;
    }
    if (playCursor < playMax) {
        return true;
    }
    // An empty sound has nothing to loop over.
    if (loop && blockLength > 0) {
        playCursor = 0;
        return true;
    }
    return false;
}
