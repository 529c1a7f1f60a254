#pragma once
// The engine's sound output: opens SDL's audio device with a callback,
// owns the software mixer that the callback drives and remembers the current
// music. When the configuration mutes sound, no device is opened, no mixer
// exists and every sound operation does nothing. A machine whose sound
// system or device does not start gets the same silent run, with one log
// line that names the reason, and the configuration keeps its choice.
#include <SDL.h>

#include "object/RuntimeClass.h"

class Mixer;
class SoundStream;

class QelAudio {
    QEL_DECLARE_ROOT_RUNTIME_CLASS()

public:
    // Reads section "QelAudio" of the engine's configuration and opens the
    // device, or runs silently when there is none.
    QelAudio();
    // Stores "frequency", stops the device and deletes the mixer.
    virtual ~QelAudio();
    QelAudio(const QelAudio&) = delete;
    QelAudio& operator=(const QelAudio&) = delete;

    // 3 -> 2 pauses the device, 2 -> 3 resumes it.
    virtual void onQELmodeChange(int oldMode, int newMode);

    // Once per ticking frame: raises an error kept by the audio thread, then
    // deletes the voices that finished.
    void update();
    void setSoundVolume(float v);
    void setMusicVolume(float v);
    void stopAll();
    void stopMusic();
    // A ramp of the current music to the volume; a fade to 0 forgets it.
    void fadeMusic(float volume, double seconds);
    void playMusic(SoundStream* s);

    static void audioCallback(void* userdata, Uint8* stream, int len);
    static void dumpInfo(const SDL_AudioSpec& spec);
    // The engine's mixer, or null while sound is muted (or not started).
    static Mixer* activeMixer();

    Mixer* mixer = nullptr;
    i32 frequency = 0;
    bool bMute = false;
    SoundStream* currentMusic = nullptr;

private:
    void runSilently(const char* what);

    bool deviceOpen = false;
};
