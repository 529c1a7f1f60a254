#include "audio/QelAudio.h"

#include "audio/Mixer.h"
#include "audio/SoundStream.h"
#include "config/MemoryIniFile.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "engine/Settings.h"

QEL_IMPLEMENT_RUNTIME_CLASS(QelAudio, QEL_NO_PARENT, QEL_NO_CREATOR);

QelAudio::QelAudio()
{
    QEL_LOG("Starting...");
    const char* section = getRuntimeClass()->name.c_str();
    bMute = readSettingBool(section, "bMute", bMute);
    // Between them the two keep the buffer from 256 to 48000 frames, which
    // the device takes; a value outside would leave the game without sound
    // or end it at start.
    frequency = readSettingInt(section, "frequency", 22050, 8000, 48000);
    double mixBufferDuration = readSettingDouble(section, "mixBufferDuration", 0.1, 0.04, 1.0);

    if (bMute) {
        QEL_LOG("Sound has been muted.");
    } else if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        runSilently("The sound system did not start");
    } else {
        SDL_AudioSpec desired;
        desired.freq = frequency;
        desired.format = AUDIO_S16LSB;
        desired.channels = 2;
        desired.silence = 0;
        // Whole multiples of 256 frames.
        double frames = static_cast<double>(static_cast<float>(frequency)) * mixBufferDuration;
        desired.samples = static_cast<Uint16>(static_cast<int>(frames) & ~0xFF);
        desired.padding = 0;
        desired.size = 0;
        desired.callback = &QelAudio::audioCallback;
        desired.userdata = this;
        SDL_AudioSpec obtained{};
        QEL_LOG("Desired audio spec:");
        dumpInfo(desired);
        if (SDL_OpenAudio(&desired, &obtained) != 0) {
            runSilently("The sound device could not be opened");
        } else {
            deviceOpen = true;
            QEL_LOG("Obtained audio spec:");
            dumpInfo(obtained);
            // The callback runs under the audio lock, so it sees the mixer.
            auto* created = new Mixer(obtained);
            SDL_LockAudio();
            mixer = created;
            SDL_UnlockAudio();
        }
    }
    SDL_PauseAudio(0);
    QEL_LOG("Started.");
}

void QelAudio::runSilently(const char* what)
{
    // Muted for this run only: the configuration keeps its "bMute", so the
    // next start on a machine with sound plays sound.
    bMute = true;
    qelLog("QelAudio", formatString("%s (%s); the game runs without sound.", what, SDL_GetError()));
    // SDL keeps its sound system marked started even when no driver came up.
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

QelAudio::~QelAudio()
{
    if (g_qel != nullptr && g_qel->config != nullptr) {
        g_qel->config->setInt(getRuntimeClass()->name, "frequency", frequency);
    }
    SDL_PauseAudio(1);
    // Closing waits for a callback in progress, so none runs while the
    // mixer and its voices are deleted.
    if (deviceOpen) {
        SDL_CloseAudio();
    }
    delete mixer;
    mixer = nullptr;
}

void QelAudio::onQELmodeChange(int oldMode, int newMode)
{
    if (oldMode == 3 && newMode == 2) {
        SDL_PauseAudio(1);
    } else if (oldMode == 2 && newMode == 3) {
        SDL_PauseAudio(0);
    }
}

void QelAudio::update()
{
    if (bMute) {
        return;
    }
    mixer->raiseDeferredError();
    mixer->deleteFinished();
}

void QelAudio::setSoundVolume(float v)
{
    if (!bMute) {
        mixer->setSoundGain(v);
    }
}

void QelAudio::setMusicVolume(float v)
{
    if (!bMute) {
        mixer->setMusicGain(v);
    }
}

void QelAudio::stopAll()
{
    if (bMute) {
        return;
    }
    SDL_LockAudio();
    mixer->deleteChildren();
    SDL_UnlockAudio();
    currentMusic = nullptr;
}

void QelAudio::stopMusic()
{
    if (currentMusic != nullptr) {
        currentMusic->stop();
    }
    currentMusic = nullptr;
}

void QelAudio::fadeMusic(float volume, double seconds)
{
    if (currentMusic != nullptr) {
        currentMusic->setVolume(volume, seconds);
        if (volume == 0.0f) {
            currentMusic = nullptr;
        }
    }
}

void QelAudio::playMusic(SoundStream* s)
{
    if (s == currentMusic) {
        return;
    }
    if (currentMusic != nullptr) {
        currentMusic->stop();
    }
    currentMusic = s;
    if (s != nullptr) {
        s->play();
    }
}

void QelAudio::audioCallback(void* userdata, Uint8* stream, int len)
{
    static_cast<QelAudio*>(userdata)->mixer->mix(stream, len);
}

void QelAudio::dumpInfo(const SDL_AudioSpec& spec)
{
    QEL_LOG("\tfreq: %d", spec.freq);
    switch (spec.format) {
    case AUDIO_U16LSB: QEL_LOG("\tformat: AUDIO_U16LSB"); break;
    case AUDIO_S16LSB: QEL_LOG("\tformat: AUDIO_S16LSB"); break;
    case AUDIO_U16MSB: QEL_LOG("\tformat: AUDIO_U16MSB"); break;
    case AUDIO_S16MSB: QEL_LOG("\tformat: AUDIO_S16MSB"); break;
    case AUDIO_S8: QEL_LOG("\tformat: AUDIO_S8"); break;
    default: break;
    }
    QEL_LOG("\tchannels %d", spec.channels);
    QEL_LOG("\tsilence %d", spec.silence);
    QEL_LOG("\tsamples %d", spec.samples);
    QEL_LOG("\tpadding %d", spec.padding);
    QEL_LOG("\tsize %d", spec.size);
}

Mixer* QelAudio::activeMixer()
{
    if (g_qel == nullptr || g_qel->audio == nullptr) {
        return nullptr;
    }
    return g_qel->audio->mixer;
}
