#include "audio/MixerChannel.h"

#include <algorithm>
#include <cstdint>

#include "audio/Mixer.h"
#include "audio/MixerOGG.h"

namespace {
struct Weights {
    float left;
    float right;
};

// The pan law: the far side fades out, the near side stays at full level.
inline Weights panWeights(float pan)
{
    float p = pan * 0.001f;
    float towardsRight = p > 0.0f ? (p < 1.0f ? p : 1.0f) : 0.0f;
    float rightLevel = 1.0f + p;
    rightLevel = rightLevel > 0.0f ? (rightLevel < 1.0f ? rightLevel : 1.0f) : 0.0f;
    return {1.0f - towardsRight, rightLevel};
}

// master x volume / 1000 in double precision. Ramps recompute it every
// frame, so it takes master / 1000 (masterMilli) and multiplies.
inline double milli(float master)
{
    return static_cast<double>(master) * 0.001;
}

inline float voiceGain(double masterMilli, float volume)
{
    return static_cast<float>(masterMilli * static_cast<double>(volume));
}

// Positions in the source are kept in frames with a 32-bit fraction: an
// integer add per output frame, and the whole part is the frame to play.
constexpr double FRACTION = 4294967296.0;
// A step larger than this many frames per output frame cannot matter (it
// leaves any block at once) and could overflow the position.
constexpr double MAX_STEP = 1048576.0;

// The scale of stepFor for a mix rate: its reciprocal, in position units.
inline double stepScale(int mixRate)
{
    return FRACTION / static_cast<double>(static_cast<float>(mixRate));
}

// Source frames per output frame, frequency / mix rate, in position units;
// a voice never runs backwards.
inline i64 stepFor(float frequency, double scale)
{
    double step = static_cast<double>(frequency) * scale;
    if (!(step > 0.0)) {
        return 0;
    }
    return static_cast<i64>(step < MAX_STEP * FRACTION ? step : MAX_STEP * FRACTION);
}

// Output frames until the position reaches the end (at least one).
inline i64 framesToEnd(i64 pos, i64 endPos, i64 step)
{
    if (step == 0) {
        return INT64_MAX;
    }
    return (endPos - pos + step - 1) / step;
}
// What a block's mixing works on: copies of the voice's fields, so that they
// stay in registers while the output (which might alias them) is written.
struct BlockState {
    const float* data;
    float* out;
    i64 pos;
    i64 endPos;
    i64 step;
    double scale;
    const float* master;
    float pan;
    float volume;
    float frequency;
    float panDelta;
    float volumeDelta;
    float freqDelta;
    Weights w;
    float g;
    float leftGain;
    float rightGain;
};

// One output frame from the source frame the position is in.
inline void addFrame(float*& out, const float* data, i64 pos, float leftGain, float rightGain)
{
    i64 k = pos >> 32;
    out[0] += leftGain * data[2 * k];
    out[1] += rightGain * data[2 * k + 1];
    out += 2;
}

// n frames at a fixed rate, gain and pan: two multiply-adds each.
inline void mixSteady(BlockState& s, i64 n)
{
    const float* data = s.data;
    float* out = s.out;
    i64 pos = s.pos;
    const i64 step = s.step;
    const float leftGain = s.leftGain;
    const float rightGain = s.rightGain;
    for (i64 i = 0; i < n; ++i) {
        addFrame(out, data, pos, leftGain, rightGain);
        pos += step;
    }
    s.out = out;
    s.pos = pos;
}

// Up to n frames, each first advancing the ramps that run (all of them run
// for at least n frames). Returns the frames mixed, or -1 when the volume
// ramp ended near silence at frame volumeEnd (which is not mixed). With a
// rate ramp the block end is tested before every frame.
template <bool PAN, bool VOLUME, bool FREQUENCY>
i64 mixRamping(BlockState& s, i64 n, i64 volumeEnd)
{
    const float* data = s.data;
    float* out = s.out;
    i64 pos = s.pos;
    i64 step = s.step;
    float pan = s.pan;
    float volume = s.volume;
    float frequency = s.frequency;
    Weights w = s.w;
    float g = s.g;
    float leftGain = s.leftGain;
    float rightGain = s.rightGain;
    // Nothing changes these during a pass (the main thread waits for it).
    const i64 endPos = s.endPos;
    const double scale = s.scale;
    const double masterMilli = milli(*s.master);
    const float panDelta = s.panDelta;
    const float volumeDelta = s.volumeDelta;
    const float freqDelta = s.freqDelta;
    i64 i = 0;
    for (; i < n; ++i) {
        if constexpr (FREQUENCY) {
            if (pos >= endPos) {
                break;
            }
        }
        if constexpr (PAN) {
            pan += panDelta;
            w = panWeights(pan);
            leftGain = w.left * g;
            rightGain = w.right * g;
        }
        if constexpr (VOLUME) {
            volume += volumeDelta;
            g = voiceGain(masterMilli, volume);
            leftGain = w.left * g;
            rightGain = w.right * g;
            if (i + 1 == volumeEnd && volume < 1.0f) {
                return -1;
            }
        }
        if constexpr (FREQUENCY) {
            frequency += freqDelta;
            step = stepFor(frequency, scale);
        }
        addFrame(out, data, pos, leftGain, rightGain);
        pos += step;
    }
    s.out = out;
    s.pos = pos;
    s.step = step;
    s.pan = pan;
    s.volume = volume;
    s.frequency = frequency;
    s.w = w;
    s.g = g;
    s.leftGain = leftGain;
    s.rightGain = rightGain;
    return i;
}

using RampMixer = i64 (*)(BlockState&, i64, i64);
// By the ramps that run: bit 0 pan, bit 1 volume, bit 2 rate.
constexpr RampMixer RAMP_MIXERS[8] = {
    nullptr,
    &mixRamping<true, false, false>,
    &mixRamping<false, true, false>,
    &mixRamping<true, true, false>,
    &mixRamping<false, false, true>,
    &mixRamping<true, false, true>,
    &mixRamping<false, true, true>,
    &mixRamping<true, true, true>,
};
}  // namespace

MixerChannel::MixerChannel(MixerOGG* source)
    : frequency(static_cast<float>(source->rate))
    , source(source)
{
    source->rewind();
    source->refill(playCursor, playMax);
}

void MixerChannel::mixChannel(float* out, int numSamples)
{
    if (!started || numSamples <= 0) {
        return;
    }
    float* end = out + (numSamples & ~1);
    while (out < end) {
        if (!source->refill(playCursor, playMax)) {
            bDead = 1;
            return;
        }
        QEL_AUDIO_CHECK(playCursor%2==0, bDead = 1; return);
        QEL_AUDIO_CHECK(playMax%2==0, bDead = 1; return);
        // A block the source cannot back ends the voice instead of reading
        // outside its samples.
        if (playCursor < 0 || playCursor >= playMax || playMax > source->blockLength) {
            bDead = 1;
            return;
        }
        if (!mixBlock(out, end)) {
            bDead = 1;
            return;
        }
    }
}

bool MixerChannel::mixBlock(float*& out, float* end)
{
    auto* mixer = static_cast<Mixer*>(getParent());
    BlockState s;
    s.data = source->samples;
    s.out = out;
    s.pos = static_cast<i64>(playCursor / 2) << 32;
    s.endPos = static_cast<i64>(playMax / 2) << 32;
    s.scale = stepScale(mixer->spec.freq);
    s.step = stepFor(frequency, s.scale);
    s.master = isMusic ? &mixer->musicGain : &mixer->soundGain;
    s.pan = pan;
    s.volume = volume;
    s.frequency = frequency;
    s.panDelta = panDelta;
    s.volumeDelta = volumeDelta;
    s.freqDelta = freqDelta;
    s.w = panWeights(pan);
    s.g = voiceGain(milli(*s.master), volume);
    s.leftGain = s.w.left * s.g;
    s.rightGain = s.w.right * s.g;

    i64 outFrames = (end - out) / 2;
    while (outFrames > 0 && s.pos < s.endPos) {
        int running = (panRampLeft > 0 ? 1 : 0) | (volumeRampLeft > 0 ? 2 : 0) | (freqRampLeft > 0 ? 4 : 0);
        if (running == 0) {
            i64 n = std::min(outFrames, framesToEnd(s.pos, s.endPos, s.step));
            mixSteady(s, n);
            break;
        }
        // A stretch over which the same ramps run.
        i64 n = outFrames;
        n = panRampLeft > 0 ? std::min<i64>(n, panRampLeft) : n;
        n = volumeRampLeft > 0 ? std::min<i64>(n, volumeRampLeft) : n;
        n = freqRampLeft > 0 ? std::min<i64>(n, freqRampLeft) : n;
        if (freqRampLeft == 0) {
            n = std::min(n, framesToEnd(s.pos, s.endPos, s.step));
        }
        i64 done = RAMP_MIXERS[running](s, n, volumeRampLeft);
        if (done < 0) {
            // A fade to silence has ended: this frame is not mixed.
            out = s.out;
            return false;
        }
        outFrames -= done;
        panRampLeft -= panRampLeft > 0 ? static_cast<i32>(done) : 0;
        volumeRampLeft -= volumeRampLeft > 0 ? static_cast<i32>(done) : 0;
        freqRampLeft -= freqRampLeft > 0 ? static_cast<i32>(done) : 0;
    }
    pan = s.pan;
    volume = s.volume;
    frequency = s.frequency;
    out = s.out;
    // Past the block end the cursor stops at it.
    playCursor = s.pos < s.endPos ? 2 * static_cast<i32>(s.pos >> 32) : playMax;
    return true;
}
