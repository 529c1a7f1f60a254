#pragma once
// What the mixer was asked to play: a mark before some frames, then the
// voices started since the mark that play a given sound.
#include <SDL.h>

#include "audio/Mixer.h"
#include "audio/MixerChannel.h"
#include "audio/MixerOGGstatic.h"
#include "audio/QelAudio.h"
#include "audio/Sound.h"
#include "game/GameResources.h"

class Heard {
public:
    Heard() : mark(nextId()) {}

    // Voices of the sound started since the mark.
    int count(const char* name) const
    {
        const Sound* sound = gameSound(name);
        Mixer* mixer = QelAudio::activeMixer();
        int n = 0;
        SDL_LockAudio();
        for (BasicLink* link = mixer->firstChild; link != nullptr; link = link->next) {
            auto* voice = static_cast<MixerChannel*>(static_cast<QelBase*>(link));
            n += voice->id >= mark && static_cast<const MixerOGG*>(sound->sample) == voice->source ? 1 : 0;
        }
        SDL_UnlockAudio();
        return n;
    }

private:
    static i32 nextId() { return QelAudio::activeMixer()->nextId; }
    i32 mark;
};
