#pragma once
// The game's handle of one voice that plays a Sound: created with the voice
// (not yet started), it turns rates given as Hz or as ratios, screen
// positions and starts that respect the sound's minimum interval into the
// mixer's id operations. Deleting the handle leaves the voice playing.
#include "math/V3.h"
#include "object/QelBase.h"

class Sound;

class SoundChannel : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    explicit SoundChannel(Sound* pSound);

    // A value above 100 is in Hz, one up to 100 a ratio of the sample's
    // rate (a negative ratio counts as 0).
    void setFrequency(float value, double seconds);
    void setVolume(float volume, double seconds);
    void setPan(float pan, double seconds);
    void setPosition(float fraction);
    // Pan from an x of the logical view, -1 at its left edge, 1 at its right.
    void setPanFromScreenX(V3 position);
    // Starts the voice, or deletes it when the sound started too recently.
    void play();
    void stop();
    bool isPlaying();

    // The pan of x across a view fovWidth wide and centred on 0.
    static float panFromScreenX(float x, int fovWidth);

    Sound* pSound = nullptr;
    i32 channelId = -1;
};
