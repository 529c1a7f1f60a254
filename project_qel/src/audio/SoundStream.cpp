#include "audio/SoundStream.h"

#include "audio/Mixer.h"
#include "audio/MixerOGGstream.h"
#include "audio/QelAudio.h"
#include "engine/QelAssert.h"

SoundStream::SoundStream(const UString& fileName, bool loop)
    : file(fileName)
{
    if (QelAudio::activeMixer() == nullptr) {
        return;
    }
    QEL_LOG("Creating stream for '%s'.", fileName.c_str());
    stream = new MixerOGGstream(&file, loop, 1);
}

SoundStream::~SoundStream()
{
    if (stream != nullptr) {
        if (Mixer* mixer = QelAudio::activeMixer()) {
            mixer->stopSource(stream);
        }
        delete stream;
        stream = nullptr;
    }
}

void SoundStream::play()
{
    Mixer* mixer = QelAudio::activeMixer();
    if (mixer == nullptr || mixer->isStarted(channelId)) {
        return;
    }
    channelId = mixer->play(stream, true);
    mixer->start(channelId);
}

void SoundStream::stop()
{
    if (Mixer* mixer = QelAudio::activeMixer()) {
        mixer->stop(channelId);
    }
}

void SoundStream::setVolume(float volume, double seconds)
{
    if (Mixer* mixer = QelAudio::activeMixer()) {
        mixer->setVolume(channelId, volume, seconds);
    }
}

bool SoundStream::isPlaying()
{
    Mixer* mixer = QelAudio::activeMixer();
    return mixer != nullptr && mixer->isStarted(channelId);
}
