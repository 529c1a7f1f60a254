#include "audio/Mixer.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "audio/MixerChannel.h"
#include "audio/MixerOGG.h"
#include "engine/QelAssert.h"

namespace {
// The mixer whose pass runs on this thread; its checks are kept, not fatal.
thread_local Mixer* deferringMixer = nullptr;

// Clamps a mixed value to -1..1; a NaN (from a NaN gain) counts as silence.
inline float clampSample(float v)
{
    if (v > 1.0f) {
        return 1.0f;
    }
    if (!(v >= -1.0f)) {
        return v < -1.0f ? -1.0f : 0.0f;
    }
    return v;
}

// Clamps the mixed frames in place and writes them in the device's layout:
// left and right, their mean on a mono device, silence on further channels.
template <class Store>
void writeFrames(float* buffer, int frames, int channels, Uint8* out, int bytes, Store store)
{
    for (int f = 0; f < frames; ++f) {
        float left = clampSample(buffer[2 * f]);
        float right = clampSample(buffer[2 * f + 1]);
        buffer[2 * f] = left;
        buffer[2 * f + 1] = right;
        if (channels == 1) {
            store(out, 0.5f * (left + right));
            out += bytes;
            continue;
        }
        store(out, left);
        store(out + bytes, right);
        out += 2 * bytes;
        for (int c = 2; c < channels; ++c) {
            store(out, 0.0f);
            out += bytes;
        }
    }
}

inline void store16(Uint8* out, int value, bool msbFirst)
{
    auto bits = static_cast<Uint16>(value);
    out[msbFirst ? 1 : 0] = static_cast<Uint8>(bits & 0xFF);
    out[msbFirst ? 0 : 1] = static_cast<Uint8>(bits >> 8);
}
}  // namespace

Mixer::DeferErrors::DeferErrors(Mixer& mixer)
    : previous(deferringMixer)
{
    deferringMixer = &mixer;
}

Mixer::DeferErrors::~DeferErrors()
{
    deferringMixer = previous;
}

Mixer::Mixer(const SDL_AudioSpec& obtained)
    : spec(obtained)
{
    mixBufferSize = 2 * spec.samples;
    mixBuffer = new float[mixBufferSize > 0 ? mixBufferSize : 1]();
    unsigned valuesPerBuffer = static_cast<unsigned>(spec.channels) * spec.samples;
    bytesPerSample = valuesPerBuffer != 0 ? static_cast<i32>(spec.size / valuesPerBuffer) : 0;
    secondsPerSample = spec.freq > 0 ? 1.0 / spec.freq : 0.0;
    QEL_LOG("Allocating mix buffer: %d samples", mixBufferSize);
}

Mixer::~Mixer()
{
    delete[] mixBuffer;
    mixBuffer = nullptr;
}

void Mixer::mix(Uint8* stream, int len)
{
    DeferErrors keepChecks(*this);
    std::memset(mixBuffer, 0, sizeof(float) * static_cast<size_t>(mixBufferSize));
    int channels = spec.channels;
    int values = bytesPerSample > 0 ? len / bytesPerSample : 0;
    int frames = channels > 0 && values > 0 ? values / channels : 0;
    // Values of the float stereo buffer this pass needs.
    long long numSamples = 2LL * frames;
    QEL_AUDIO_CHECK(numSamples<=mixBufferSize, {
        std::memset(stream, spec.silence, len > 0 ? static_cast<size_t>(len) : 0);
        return;
    });
    for (BasicLink* node = firstChild; node != nullptr; node = node->next) {
        if (!node->bDead && !node->bSkip) {
            static_cast<MixerChannel*>(node)->mixChannel(mixBuffer, static_cast<int>(numSamples));
        }
    }
    convert(stream, frames);
}

void Mixer::convert(Uint8* stream, int frames)
{
    int channels = spec.channels;
    int bytes = bytesPerSample;
    // Unsigned formats are biased to mid-scale.
    const bool isSigned = (spec.format & 0x8000) != 0;
    switch (spec.format) {
    case AUDIO_U8:
    case AUDIO_S8: {
        const double bias = isSigned ? 0.0 : 128.0;
        writeFrames(mixBuffer, frames, channels, stream, bytes, [bias](Uint8* out, float v) {
            *out = static_cast<Uint8>(static_cast<int>(v * 125.0 + bias));
        });
        break;
    }
    case AUDIO_U16LSB:
    case AUDIO_S16LSB:
    case AUDIO_U16MSB:
    case AUDIO_S16MSB: {
        const double bias = isSigned ? 0.0 : 32768.0;
        const bool msbFirst = (spec.format & 0x1000) != 0;
        writeFrames(mixBuffer, frames, channels, stream, bytes, [bias, msbFirst](Uint8* out, float v) {
            store16(out, static_cast<int>(v * 32760.0 + bias), msbFirst);
        });
        break;
    }
    default:
        break;
    }
}

int Mixer::play(MixerOGG* source, bool isMusic)
{
    SDL_LockAudio();
    int count = 0;
    BasicLink* oldest = nullptr;
    for (BasicLink* node = firstChild; node != nullptr; node = node->next) {
        if (!node->bDead && !node->bSkip && static_cast<MixerChannel*>(node)->source == source) {
            if (oldest == nullptr) {
                oldest = node;
            }
            ++count;
        }
    }
    if (count >= 1 && source->maxPlaybacks <= count) {
        removeChild(oldest);
        oldest->deleteMe();
    }
    SDL_UnlockAudio();

    // Not yet in the list, so the audio thread cannot see it.
    auto* voice = new MixerChannel(source);
    voice->id = nextId;
    voice->isMusic = isMusic;
    ++nextId;

    SDL_LockAudio();
    add(voice);
    SDL_UnlockAudio();
    return voice->id;
}

MixerChannel* Mixer::findLocked(int id)
{
    if (id < 0) {
        return nullptr;
    }
    for (BasicLink* node = firstChild; node != nullptr; node = node->next) {
        auto* voice = static_cast<MixerChannel*>(node);
        if (!node->bDead && !node->bSkip && voice->id == id) {
            return voice;
        }
    }
    return nullptr;
}

MixerChannel* Mixer::findChannel(int id)
{
    SDL_LockAudio();
    MixerChannel* voice = findLocked(id);
    SDL_UnlockAudio();
    return voice;
}

bool Mixer::isStarted(int id)
{
    SDL_LockAudio();
    MixerChannel* voice = findLocked(id);
    bool started = voice != nullptr && voice->started;
    SDL_UnlockAudio();
    return started;
}

void Mixer::start(int id)
{
    SDL_LockAudio();
    if (MixerChannel* voice = findLocked(id)) {
        voice->started = true;
    }
    SDL_UnlockAudio();
}

void Mixer::stop(int id)
{
    SDL_LockAudio();
    if (MixerChannel* voice = findLocked(id)) {
        removeChild(voice);
        voice->deleteMe();
    }
    SDL_UnlockAudio();
}

void Mixer::deleteMarkedLocked()
{
    BasicLink* node = firstChild;
    while (node != nullptr) {
        BasicLink* following = node->next;
        if (node->bDead) {
            removeChild(node);
            node->deleteMe();
        }
        node = following;
    }
}

void Mixer::stopSource(MixerOGG* source)
{
    SDL_LockAudio();
    for (BasicLink* node = firstChild; node != nullptr; node = node->next) {
        if (!node->bDead && !node->bSkip && static_cast<MixerChannel*>(node)->source == source) {
            node->bDead = 1;
        }
    }
    deleteMarkedLocked();
    SDL_UnlockAudio();
}

void Mixer::deleteFinished()
{
    SDL_LockAudio();
    deleteMarkedLocked();
    SDL_UnlockAudio();
}

void Mixer::setPosition(int id, float fraction)
{
    SDL_LockAudio();
    MixerChannel* voice = findLocked(id);
    if (voice != nullptr && voice->playMax > 0) {
        // Outside 0..1 the cursor would leave the block.
        float f = fraction > 0.0f ? (fraction < 1.0f ? fraction : 1.0f) : 0.0f;
        int cursor = static_cast<int>(static_cast<float>(voice->playMax) * f);
        voice->playCursor = cursor & ~1;
    }
    SDL_UnlockAudio();
}

void Mixer::startRamp(float& value, float& delta, i32& left, float target, double seconds)
{
    double frames = secondsPerSample > 0.0 ? seconds / secondsPerSample : 0.0;
    // Less than one frame (and a negative or NaN time) applies at once.
    if (!(frames >= 1.0)) {
        value = target;
        left = 0;
        return;
    }
    i32 n = frames < static_cast<double>(INT32_MAX) ? static_cast<i32>(frames) : INT32_MAX;
    left = n;
    delta = (target - value) / static_cast<float>(n);
}

void Mixer::setVolume(int id, float volume, double seconds)
{
    float target = volume * 1000.0f;
    target = target > 0.0f ? (target < 1000.0f ? target : 1000.0f) : 0.0f;
    SDL_LockAudio();
    if (MixerChannel* voice = findLocked(id)) {
        startRamp(voice->volume, voice->volumeDelta, voice->volumeRampLeft, target, seconds);
    }
    SDL_UnlockAudio();
}

void Mixer::setFrequency(int id, float hz, double seconds)
{
    SDL_LockAudio();
    if (MixerChannel* voice = findLocked(id)) {
        startRamp(voice->frequency, voice->freqDelta, voice->freqRampLeft, hz, seconds);
    }
    SDL_UnlockAudio();
}

void Mixer::setPan(int id, float pan, double seconds)
{
    float target = pan * 1000.0f;
    if (target != target) {
        target = 0.0f;
    }
    target = target > -1000.0f ? (target < 1000.0f ? target : 1000.0f) : -1000.0f;
    SDL_LockAudio();
    if (MixerChannel* voice = findLocked(id)) {
        startRamp(voice->pan, voice->panDelta, voice->panRampLeft, target, seconds);
    }
    SDL_UnlockAudio();
}

void Mixer::setMusicGain(float gain)
{
    SDL_LockAudio();
    musicGain = gain;
    SDL_UnlockAudio();
}

void Mixer::setSoundGain(float gain)
{
    SDL_LockAudio();
    soundGain = gain;
    SDL_UnlockAudio();
}

void Mixer::keepError(const char* message, const char* statement, const char* function, const char* file,
                      int line)
{
    if (deferred.set) {
        return;
    }
    std::snprintf(deferred.message, sizeof(deferred.message), "%s", message);
    deferred.statement = statement;
    deferred.function = function;
    deferred.file = file;
    deferred.line = line;
    deferred.set = true;
}

void Mixer::checkFailed(const char* statement, const char* function, const char* file, int line)
{
    if (deferringMixer == nullptr) {
        qelAssertFailed(statement, function, file, line);
    }
    deferringMixer->keepError("Assertion failed.", statement, function, file, line);
}

void Mixer::errorFailed(const char* message, const char* function, const char* file, int line)
{
    if (deferringMixer == nullptr) {
        qelFatal(message, function, file, line);
    }
    deferringMixer->keepError(message, nullptr, function, file, line);
}

bool Mixer::hasDeferredError()
{
    SDL_LockAudio();
    bool set = deferred.set;
    SDL_UnlockAudio();
    return set;
}

void Mixer::raiseDeferredError()
{
    SDL_LockAudio();
    DeferredError error = deferred;
    SDL_UnlockAudio();
    if (!error.set) {
        return;
    }
    if (error.statement != nullptr) {
        qelAssertFailed(error.statement, error.function, error.file, error.line);
    }
    qelFatal(error.message, error.function, error.file, error.line);
}
