#pragma once
// The software mixer behind the audio device. Its voices (MixerChannel) are
// its children, oldest first. The audio thread sums the started voices into
// a float stereo buffer and converts it to the device's format; the main
// thread creates, steers and deletes voices by id, always under SDL's audio
// lock, so that it never changes what a mixing pass is reading.
#include <SDL.h>

#include "object/QelBase.h"

class MixerChannel;
class MixerOGG;

class Mixer : public QelBase {
public:
    explicit Mixer(const SDL_AudioSpec& obtained);
    ~Mixer() override;

    // Audio thread: fills the device buffer of len bytes.
    void mix(Uint8* stream, int len);

    // A new voice of the source, not yet started; the oldest voice of the
    // source is replaced when the source's play limit is reached.
    int play(MixerOGG* source, bool isMusic);
    void start(int id);
    // Deletes the voice at once.
    void stop(int id);
    // Deletes every voice of the source (and every finished voice).
    void stopSource(MixerOGG* source);
    // Deletes the voices the audio thread marked finished.
    void deleteFinished();
    // The live voice with the id, or null.
    MixerChannel* findChannel(int id);
    bool isStarted(int id);
    void setPosition(int id, float fraction);
    void setVolume(int id, float volume, double seconds);
    void setFrequency(int id, float hz, double seconds);
    void setPan(int id, float pan, double seconds);
    void setMusicGain(float gain);
    void setSoundGain(float gain);

    // Checks that fail while a mixing pass runs on this thread are kept
    // instead of ending the program from the audio thread (which holds the
    // audio lock); the main thread raises the first of them with
    // raiseDeferredError. Elsewhere a failed check is fatal at once.
    class DeferErrors {
    public:
        explicit DeferErrors(Mixer& mixer);
        ~DeferErrors();
        DeferErrors(const DeferErrors&) = delete;
        DeferErrors& operator=(const DeferErrors&) = delete;

    private:
        Mixer* previous;
    };
    static void checkFailed(const char* statement, const char* function, const char* file, int line);
    static void errorFailed(const char* message, const char* function, const char* file, int line);
    bool hasDeferredError();
    // Main thread: ends the program with the first kept error, if any,
    // reported as it would have been where it happened.
    void raiseDeferredError();

    float musicGain = 1.0f;
    float soundGain = 1.0f;
    SDL_AudioSpec spec;
    i32 nextId = 0;
    float* mixBuffer = nullptr;
    i32 mixBufferSize = 0;
    i32 bytesPerSample = 0;
    double secondsPerSample = 0.0;

private:
    struct DeferredError {
        bool set = false;
        char message[128] = {};
        const char* statement = nullptr;
        const char* function = nullptr;
        const char* file = nullptr;
        int line = 0;
    };

    // A voice field glides to the target over seconds (at once below one
    // output frame).
    void startRamp(float& value, float& delta, i32& left, float target, double seconds);
    MixerChannel* findLocked(int id);
    void deleteMarkedLocked();
    void convert(Uint8* stream, int frames);
    void keepError(const char* message, const char* statement, const char* function, const char* file,
                   int line);

    DeferredError deferred;
};

// A check on a path that also runs on the audio thread: on failure it runs
// the fatal path, or on the audio thread keeps the error, and then runs
// onFailure (which must stop what failed).
#define QEL_AUDIO_CHECK(condition, onFailure)                                  \
    do {                                                                       \
        if (!(condition)) {                                                    \
            ::Mixer::checkFailed(#condition, __func__, __FILE__, __LINE__);    \
            onFailure;                                                         \
        }                                                                      \
    } while (0)
