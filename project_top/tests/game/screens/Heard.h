#pragma once
// What the mixer was asked to play: a mark before some frames, then the
// voices started since the mark that play a given sound, and their pitch.
#include <SDL.h>

#include <vector>

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
    int count(const char* name) const { return int(ratios(name).size()); }
    // The rate ratio of each voice of the sound started since the mark.
    std::vector<float> ratios(const char* name) const
    {
        const Sound* sound = gameSound(name);
        Mixer* mixer = QelAudio::activeMixer();
        std::vector<float> found;
        SDL_LockAudio();
        for (BasicLink* link = mixer->firstChild; link != nullptr; link = link->next) {
            auto* voice = static_cast<MixerChannel*>(static_cast<QelBase*>(link));
            if (voice->id >= mark && static_cast<const MixerOGG*>(sound->sample) == voice->source) {
                found.push_back(voice->source->rate > 0 ? voice->frequency / float(voice->source->rate) : 0.0f);
            }
        }
        SDL_UnlockAudio();
        return found;
    }

private:
    static i32 nextId() { return QelAudio::activeMixer()->nextId; }
    i32 mark;
};
