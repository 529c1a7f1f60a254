#pragma once
// A sound effect: an Ogg Vorbis file decoded whole at load, with the play
// rules game code tunes per effect (a random pitch range and a minimum time
// between two starts). Each play starts a voice through a short-lived
// SoundChannel; the voice then plays on by itself.
#include <limits>

#include "math/V3.h"
#include "object/QelBase.h"

class MixerOGGstatic;

class Sound : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    Sound(const UString& fileName, bool loop, int maxPlaybacks);
    ~Sound() override;

    // Once, at a random pitch within the range.
    void play();
    // As play, panned from the position's x on the screen.
    void playAt(V3 position);
    // Once at the frequency: Hz above 100, a ratio of the sample's rate up
    // to 100.
    void playAtFrequency(float frequency);
    // Once, n semitones up (or down).
    void playSemitones(int n);

    // The rate ratio of n semitones, in steps of 1.0595.
    static float semitoneRatio(int n);
    // A ratio between 1 + pitchMin and 1 + pitchMax from one random number.
    float randomPitch() const;

    // Never started: the first start is never too soon, even at clock 0.
    double lastStartTime = -std::numeric_limits<double>::infinity();
    double minInterval = 0.0;
    float pitchMin = 0.0f;
    float pitchMax = 0.0f;
    MixerOGGstatic* sample = nullptr;

private:
    void playOnce(float frequency, const V3* position);
};
