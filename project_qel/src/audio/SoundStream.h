#pragma once
// A music asset: an Ogg Vorbis file kept in memory and decoded while it
// plays, with the id of the one voice that plays it. QelAudio::playMusic and
// QelAudio::fadeMusic are the usual way to start, switch and fade it.
#include "file/MemoryFile.h"
#include "object/QelBase.h"

class MixerOGGstream;

class SoundStream : public QelBase {
public:
    // The file is read also while sound is muted; nothing is decoded then.
    SoundStream(const UString& fileName, bool loop);
    // Ends the stream's voices before the decoder goes.
    ~SoundStream() override;

    // From the start, unless the stream still sounds.
    void play();
    void stop();
    void setVolume(float volume, double seconds);
    bool isPlaying();

    MemoryFile file;
    MixerOGGstream* stream = nullptr;
    i32 channelId = -1;
};
