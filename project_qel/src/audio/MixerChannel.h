#pragma once
// One voice of the Mixer: one playback of a source with its own position,
// rate, volume and pan, each of which can glide over a number of output
// frames. It is mixed on the audio thread and ends itself (marks itself for
// deletion) when its source runs out or a fade towards silence ends.
#include "object/QelBase.h"

class MixerOGG;

class MixerChannel : public QelBase {
public:
    // Rewinds the source and takes its first block.
    explicit MixerChannel(MixerOGG* source);

    // Adds this voice into the first numSamples values of out (interleaved
    // left and right).
    void mixChannel(float* out, int numSamples);

    i32 id = -1;
    bool isMusic = false;
    bool started = false;
    // Float indices into the source's interleaved samples, always even.
    i32 playCursor = -1;
    i32 playMax = -1;
    i32 freqRampLeft = 0;
    i32 volumeRampLeft = 0;
    i32 panRampLeft = 0;
    // -1000 (left) .. 1000 (right).
    float pan = 0.0f;
    float frequency = 0.0f;
    // 0 .. 1000.
    float volume = 1000.0f;
    float panDelta = 0.0f;
    float freqDelta = 0.0f;
    float volumeDelta = 0.0f;
    MixerOGG* source = nullptr;

private:
    // Mixes from the current (checked) block until it or the output is used
    // up; false when a fade to silence has just ended the voice.
    bool mixBlock(float*& out, float* end);
};
