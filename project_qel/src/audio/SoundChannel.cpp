#include "audio/SoundChannel.h"

#include "audio/Mixer.h"
#include "audio/MixerOGGstatic.h"
#include "audio/QelAudio.h"
#include "audio/Sound.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "engine/TimeKeeper.h"
#include "graphics/QelGraphics.h"

QEL_IMPLEMENT_RUNTIME_CLASS(SoundChannel, QelBase::runtimeClass(), QEL_NO_CREATOR);

SoundChannel::SoundChannel(Sound* pSound)
    : pSound(pSound)
{
    QEL_ASSERT(pSound!=NULL);
    if (Mixer* mixer = QelAudio::activeMixer()) {
        channelId = mixer->play(pSound->sample, false);
    }
}

void SoundChannel::setFrequency(float value, double seconds)
{
    Mixer* mixer = QelAudio::activeMixer();
    if (mixer == nullptr) {
        return;
    }
    float hz = value;
    if (!(value > 100.0f)) {
        hz = (value > 0.0f ? value : 0.0f) * static_cast<float>(pSound->sample->rate);
    }
    mixer->setFrequency(channelId, hz, seconds);
}

void SoundChannel::setVolume(float volume, double seconds)
{
    if (Mixer* mixer = QelAudio::activeMixer()) {
        mixer->setVolume(channelId, volume, seconds);
    }
}

void SoundChannel::setPan(float pan, double seconds)
{
    if (Mixer* mixer = QelAudio::activeMixer()) {
        mixer->setPan(channelId, pan, seconds);
    }
}

void SoundChannel::setPosition(float fraction)
{
    if (Mixer* mixer = QelAudio::activeMixer()) {
        mixer->setPosition(channelId, fraction);
    }
}

float SoundChannel::panFromScreenX(float x, int fovWidth)
{
    int lo = -(fovWidth / 2);
    int hi = fovWidth / 2;
    if (hi <= lo) {
        return 0.0f;
    }
    float t = (x - static_cast<float>(lo)) / static_cast<float>(hi - lo);
    if (t < 0.0f) {
        return -1.0f;
    }
    if (t > 1.0f) {
        return 1.0f;
    }
    return 2.0f * t - 1.0f;
}

void SoundChannel::setPanFromScreenX(V3 position)
{
    if (Mixer* mixer = QelAudio::activeMixer()) {
        mixer->setPan(channelId, panFromScreenX(position.x, g_qel->graphics->fovWidth), 0.0);
    }
}

void SoundChannel::play()
{
    Mixer* mixer = QelAudio::activeMixer();
    if (mixer == nullptr) {
        return;
    }
    double now = g_qel->timeKeeper->getTime();
    if (now >= pSound->lastStartTime + pSound->minInterval) {
        mixer->start(channelId);
        pSound->lastStartTime = g_qel->timeKeeper->getTime();
    } else {
        mixer->stop(channelId);
    }
}

void SoundChannel::stop()
{
    if (Mixer* mixer = QelAudio::activeMixer()) {
        mixer->stop(channelId);
    }
}

bool SoundChannel::isPlaying()
{
    Mixer* mixer = QelAudio::activeMixer();
    return mixer != nullptr && mixer->isStarted(channelId);
}
