#pragma once
// Shared pieces of the audio tests: an engine core, a mixer on a made-up
// device spec, and sources decoded from synthesised sounds.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "audio/Mixer.h"
#include "audio/MixerChannel.h"
#include "audio/MixerOGGstatic.h"
#include "audio/MixerOGGstream.h"
#include "support/EngineCore.h"
#include "support/ExpectFatal.h"
#include "support/OggEncoder.h"

inline SDL_AudioSpec deviceSpec(int freq, Uint16 format = AUDIO_S16LSB, int samples = 1024, int channels = 2)
{
    SDL_AudioSpec spec{};
    spec.freq = freq;
    spec.format = format;
    spec.channels = static_cast<Uint8>(channels);
    spec.samples = static_cast<Uint16>(samples);
    int bytes = (format & 0xFF) / 8;
    spec.size = static_cast<Uint32>(samples * channels * bytes);
    spec.silence = (format == AUDIO_U8) ? 0x80 : 0;
    return spec;
}

class AudioTest : public testing::Test {
public:
    // Sources made for a test and deleted with it.
    class Sources {
    public:
        // A decoded sound whose file is released at once, as the sounds do.
        MixerOGGstatic* decoded(const std::string& ogg, bool loop = false, int maxPlaybacks = 4)
        {
            MemoryFile* file = memoryFileOf(ogg);
            auto* source = new MixerOGGstatic(file, loop, maxPlaybacks);
            delete file;
            owned.emplace_back(source);
            return source;
        }
        // A sound whose samples are replaced by a constant after decoding,
        // for exact expectations.
        MixerOGGstatic* constant(float value, int rate = 22050, int frames = 4096, bool loop = false,
                                 int maxPlaybacks = 4)
        {
            MixerOGGstatic* source = decoded(encodeOgg(sineWave(440, 0.5, rate, frames, 1), 1, rate), loop,
                                             maxPlaybacks);
            for (int i = 0; i < source->blockLength; ++i) {
                source->samples[i] = value;
            }
            return source;
        }
        // A ramp 0, 1, 2 ... (left) and its negation (right), scaled.
        MixerOGGstatic* ramp(int frames, float scale, int rate = 22050)
        {
            MixerOGGstatic* source = decoded(encodeOgg(sineWave(440, 0.5, rate, frames, 1), 1, rate));
            for (int i = 0; i < source->blockLength / 2; ++i) {
                source->samples[2 * i] = static_cast<float>(i) * scale;
                source->samples[2 * i + 1] = -static_cast<float>(i) * scale;
            }
            return source;
        }

    private:
        std::vector<std::unique_ptr<MixerOGG>> owned;
    };

public:
    // Runs one callback of bytes and returns the S16LSB values.
    static std::vector<int> mixS16(Mixer& mixer, int frames)
    {
        std::vector<Uint8> bytes(static_cast<size_t>(frames) * 4, 0xAA);
        mixer.mix(bytes.data(), static_cast<int>(bytes.size()));
        std::vector<int> values(static_cast<size_t>(frames) * 2);
        for (size_t i = 0; i < values.size(); ++i) {
            values[i] = static_cast<Sint16>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        }
        return values;
    }

protected:
    EngineCore core;
    Sources sources;
};
