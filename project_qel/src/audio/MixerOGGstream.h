#pragma once
// A source decoded one packet at a time while it plays (music); one voice
// at a time plays it. The file must outlive the source.
#include "audio/MixerOGG.h"

class MixerOGGstream : public MixerOGG {
public:
    MixerOGGstream(MemoryFile* file, bool loop, int maxPlaybacks);

    bool refill(int& playCursor, int& playMax) override;
    // Back to the start of the file, for a new voice.
    void rewind() override;
};
