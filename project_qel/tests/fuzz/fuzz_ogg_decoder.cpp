// Arbitrary bytes as an Ogg Vorbis file, through both kinds of source and a
// few mixing passes of looping voices at odd rates. Checks that fail keep
// their error as they do on the audio thread, so a damaged file is judged by
// the same code the game runs, and nothing may read or write out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "audio/Mixer.h"
#include "audio/MixerOGGstatic.h"
#include "audio/MixerOGGstream.h"
#include "engine/Qel.h"
#include "file/MemoryFile.h"

namespace {
Qel* engine()
{
    static Qel* qel = [] {
        std::filesystem::path folder = std::filesystem::temp_directory_path() / "vabo-fuzz-ogg";
        std::filesystem::create_directories(folder);
        // The log goes to the per-user folder, kept out of the user's own.
        unsetenv("U3_APP_DATA_PATH");
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
        return new Qel(Qel::CoreOnly{});
    }();
    return qel;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    engine();
    SDL_AudioSpec spec{};
    spec.freq = 22050;
    spec.format = AUDIO_S16LSB;
    spec.channels = 2;
    spec.samples = 512;
    spec.size = 512 * 4;
    Mixer mixer(spec);
    Mixer::DeferErrors keep(mixer);

    auto* file = new MemoryFile("");
    file->data = std::make_unique<u8[]>(size > 0 ? size : 1);
    if (size > 0) {
        std::memcpy(file->data.get(), data, size);
    }
    file->size = static_cast<i32>(size);

    {
        MixerOGGstatic sound(file, true, 2);
        MixerOGGstream music(file, true, 1);
        int a = mixer.play(&sound, false);
        int b = mixer.play(&music, true);
        mixer.setFrequency(a, static_cast<float>(size % 50000), 0.01);
        mixer.setPosition(b, 0.5f);
        mixer.start(a);
        mixer.start(b);
        std::vector<Uint8> out(spec.size);
        for (int pass = 0; pass < 6; ++pass) {
            mixer.mix(out.data(), static_cast<int>(out.size()));
        }
        mixer.stopSource(&music);
        mixer.stopSource(&sound);
    }
    delete file;
    return 0;
}
