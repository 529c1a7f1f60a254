#include "audio/Sound.h"

#include "audio/Mixer.h"
#include "audio/MixerOGGstatic.h"
#include "audio/QelAudio.h"
#include "audio/SoundChannel.h"
#include "engine/QelAssert.h"
#include "file/MemoryFile.h"
#include "math/RandomSource.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Sound, QelBase::runtimeClass(), QEL_NO_CREATOR);

Sound::Sound(const UString& fileName, bool loop, int maxPlaybacks)
{
    if (QelAudio::activeMixer() == nullptr) {
        return;
    }
    QEL_LOG("Loading sound file '%s'.", fileName.c_str());
    MemoryFile file(fileName);
    sample = new MixerOGGstatic(&file, loop, maxPlaybacks);
}

Sound::~Sound()
{
    // A voice still playing would go on reading the deleted samples.
    if (sample != nullptr) {
        if (Mixer* mixer = QelAudio::activeMixer()) {
            mixer->stopSource(sample);
        }
    }
    delete sample;
    sample = nullptr;
}

float Sound::randomPitch() const
{
    auto t = static_cast<float>(RandomSource::fraction());
    return (pitchMin + t * (pitchMax - pitchMin)) + 1.0f;
}

float Sound::semitoneRatio(int n)
{
    const double step = 1.0595;
    if (n == 0) {
        return 1.0f;
    }
    int count = n < 0 ? -n : n;
    double power = step;
    for (int i = 1; i < count; ++i) {
        power *= step;
    }
    return static_cast<float>(n > 0 ? power : 1.0 / power);
}

void Sound::playOnce(float frequency, const V3* position)
{
    SoundChannel channel(this);
    if (position != nullptr) {
        channel.setPanFromScreenX(*position);
    }
    channel.setFrequency(frequency, 0.0);
    channel.play();
}

void Sound::play()
{
    playOnce(randomPitch(), nullptr);
}

void Sound::playAt(V3 position)
{
    playOnce(randomPitch(), &position);
}

void Sound::playAtFrequency(float frequency)
{
    playOnce(frequency, nullptr);
}

void Sound::playSemitones(int n)
{
    playOnce(semitoneRatio(n), nullptr);
}
