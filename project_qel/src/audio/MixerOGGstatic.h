#pragma once
// A source decoded whole at load into one buffer that any number of voices
// read at once (sound effects). The file may go once construction is done.
#include "audio/MixerOGG.h"

class MixerOGGstatic : public MixerOGG {
public:
    // The most frames a sound may hold (about twelve minutes at 44100 Hz);
    // a file that claims more is refused before anything is allocated, and
    // one that cannot say stops decoding there.
    static constexpr i64 MAX_FRAMES = i64(1) << 25;

    MixerOGGstatic(MemoryFile* file, bool loop, int maxPlaybacks);

    bool refill(int& playCursor, int& playMax) override;

private:
    // Doubles the buffer of a sound whose length the file does not tell,
    // keeping the frames decoded so far.
    void grow(int frames);
};
