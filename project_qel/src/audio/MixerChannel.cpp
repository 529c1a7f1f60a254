#include "audio/MixerChannel.h"

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
    float p = pan / 1000.0f;
    float towardsRight = p > 0.0f ? (p < 1.0f ? p : 1.0f) : 0.0f;
    float rightLevel = 1.0f + p;
    rightLevel = rightLevel > 0.0f ? (rightLevel < 1.0f ? rightLevel : 1.0f) : 0.0f;
    return {1.0f - towardsRight, rightLevel};
}

// master x volume / 1000 in double precision. Ramps recompute it every
// frame, so the division is a multiplication (the float result is the same).
inline float voiceGain(float master, float volume)
{
    return static_cast<float>(static_cast<double>(master) * (static_cast<double>(volume) * 0.001));
}

// Source frames per output frame (frequency / mix rate, from the rate's
// reciprocal in double precision); a voice never runs backwards.
inline float stepFor(float frequency, double inverseMixRate)
{
    auto step = static_cast<float>(static_cast<double>(frequency) * inverseMixRate);
    return step > 0.0f ? step : 0.0f;
}
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

bool MixerChannel::mixBlock(float*& outRef, float* end)
{
    auto* mixer = static_cast<Mixer*>(getParent());
    double inverseMixRate = 1.0 / static_cast<double>(static_cast<float>(mixer->spec.freq));
    const float* data = source->samples;
    // The loop works on copies: the output may not be seen to overlap them.
    float* out = outRef;
    float pos = static_cast<float>(playCursor / 2);
    float endPos = static_cast<float>(playMax / 2);
    Weights w = panWeights(pan);
    float master = isMusic ? mixer->musicGain : mixer->soundGain;
    float g = voiceGain(master, volume);
    float leftGain = w.left * g;
    float rightGain = w.right * g;
    float step = stepFor(frequency, inverseMixRate);
    bool ended = false;

    if (panRampLeft == 0 && volumeRampLeft == 0 && freqRampLeft == 0) {
        do {
            int k = static_cast<int>(pos);
            out[0] += leftGain * data[2 * k];
            out[1] += rightGain * data[2 * k + 1];
            out += 2;
            pos += step;
        } while (pos < endPos && out < end);
    } else {
        float curPan = pan;
        float curVolume = volume;
        float curFrequency = frequency;
        i32 panLeft = panRampLeft;
        i32 volumeLeft = volumeRampLeft;
        i32 freqLeft = freqRampLeft;
        const float* gain = isMusic ? &mixer->musicGain : &mixer->soundGain;
        do {
            if (panLeft > 0) {
                curPan += panDelta;
                w = panWeights(curPan);
                leftGain = w.left * g;
                rightGain = w.right * g;
                --panLeft;
            }
            if (volumeLeft > 0) {
                curVolume += volumeDelta;
                g = voiceGain(*gain, curVolume);
                leftGain = w.left * g;
                rightGain = w.right * g;
                --volumeLeft;
                if (volumeLeft == 0 && curVolume < 1.0f) {
                    // This frame is not mixed and the cursor stays.
                    ended = true;
                    break;
                }
            }
            if (freqLeft > 0) {
                curFrequency += freqDelta;
                step = stepFor(curFrequency, inverseMixRate);
                --freqLeft;
            }
            int k = static_cast<int>(pos);
            out[0] += leftGain * data[2 * k];
            out[1] += rightGain * data[2 * k + 1];
            out += 2;
            pos += step;
        } while (pos < endPos && out < end);
        pan = curPan;
        volume = curVolume;
        frequency = curFrequency;
        panRampLeft = panLeft;
        volumeRampLeft = volumeLeft;
        freqRampLeft = freqLeft;
    }
    outRef = out;
    if (ended) {
        return false;
    }
    // Past the block end the cursor stops at it, so it never overflows.
    playCursor = pos < endPos ? 2 * static_cast<int>(pos) : playMax;
    return true;
}
