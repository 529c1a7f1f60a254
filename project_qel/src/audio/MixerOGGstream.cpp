#include "audio/MixerOGGstream.h"

#include "audio/Mixer.h"
#include "engine/QelAssert.h"

MixerOGGstream::MixerOGGstream(MemoryFile* file, bool loop, int maxPlaybacks)
    : MixerOGG(file, loop, maxPlaybacks)
{
    QEL_ASSERT(maxPlaybacks==1);
    capacity = 65536;
    samples = new float[capacity]();
    // Refused at load rather than on the audio thread while playing.
    if (opened && channels != 1 && channels != 2) {
        reportChannels(channels, __func__, __FILE__, __LINE__);
    }
}

bool MixerOGGstream::refill(int& playCursor, int& playMax)
{
    if (playCursor < playMax) {
        return true;
    }
    float** pcm = nullptr;
    int linkChannels = 0;
    long result = readFloat(&pcm, capacity / 2, &linkChannels);
    QEL_AUDIO_CHECK(result>=0, return false);
    if (result == 0) {
        if (!loop) {
            return false;
        }
        ov_raw_seek(&vf, 0);
        result = readFloat(&pcm, capacity / 2, &linkChannels);
        QEL_AUDIO_CHECK(result>0, return false);
    }
    if (linkChannels != 1 && linkChannels != 2) {
        reportChannels(linkChannels, __func__, __FILE__, __LINE__);
        return false;
    }
    storeStereo(pcm, result, linkChannels, samples);
    blockLength = 2 * static_cast<i32>(result);
    playCursor = 0;
    playMax = blockLength;
    return true;
}

void MixerOGGstream::rewind()
{
    ov_raw_seek(&vf, 0);
}
