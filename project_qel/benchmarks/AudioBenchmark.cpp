// The mixer against a plain mixing loop, and decoding a whole Ogg Vorbis
// file through the sources against libvorbisfile called directly. The
// counter "x_realtime" is seconds of audio made per second on one core.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "audio/Mixer.h"
#include "audio/MixerChannel.h"
#include "audio/MixerOGGstatic.h"
#include "engine/Qel.h"
#include "support/OggEncoder.h"
#include "support/TempFolder.h"

namespace {
constexpr int RATE = 44100;
constexpr int VOICES = 32;
constexpr int FRAMES = 4096;

struct Engine {
    TempFolder folder;
    Qel qel{Qel::CoreOnly{}};
};

Engine& engine()
{
    static Engine instance;
    return instance;
}

std::string stereoFile(int seconds)
{
    std::vector<float> left = sineWave(440, 0.3, RATE, RATE * seconds, 1);
    std::vector<float> right = sineWave(330, 0.3, RATE, RATE * seconds, 1);
    std::vector<float> both(left.size() * 2);
    for (size_t i = 0; i < left.size(); ++i) {
        both[2 * i] = left[i];
        both[2 * i + 1] = right[i];
    }
    return encodeOgg(both, 2, RATE);
}

void reportRealTime(benchmark::State& state, long long frames)
{
    state.counters["x_realtime"] = benchmark::Counter(static_cast<double>(frames) / RATE, benchmark::Counter::kIsRate);
}

// Arg 0: no ramps; 1: every voice gets volume, pan and rate ramps of 0.1 s
// every half second, at its own moment; 2: every voice ramps all three
// almost all the time (0.4 s ramps every 0.46 s), the worst case.
void BM_Mixer(benchmark::State& state)
{
    engine();
    SDL_AudioSpec spec{};
    spec.freq = RATE;
    spec.format = AUDIO_S16LSB;
    spec.channels = 2;
    spec.samples = FRAMES;
    spec.size = FRAMES * 4;
    Mixer mixer(spec);
    std::unique_ptr<MemoryFile> file(memoryFileOf(stereoFile(1)));
    std::vector<std::unique_ptr<MixerOGGstatic>> sources;
    std::vector<int> ids;
    for (int v = 0; v < VOICES; ++v) {
        sources.push_back(std::make_unique<MixerOGGstatic>(file.get(), true, 1));
        int id = mixer.play(sources.back().get(), false);
        mixer.start(id);
        mixer.setPosition(id, static_cast<float>(v) / VOICES);
        ids.push_back(id);
    }
    std::vector<Uint8> out(spec.size);
    long long frames = 0;
    int pass = 0;
    for (auto _ : state) {
        // A pass is 4096 frames, about 0.093 s; five make about half a second.
        for (int v = 0; v < VOICES; ++v) {
            bool due = state.range(0) == 2 ? pass % 5 == 0 : (state.range(0) == 1 && (pass + v) % 5 == 0);
            if (due) {
                bool up = (pass / 5 + v) % 2 == 0;
                double seconds = state.range(0) == 2 ? 0.4 : 0.1;
                mixer.setVolume(ids[v], up ? 0.9f : 0.3f, seconds);
                mixer.setPan(ids[v], up ? 0.8f : -0.8f, seconds);
                mixer.setFrequency(ids[v], up ? RATE * 1.1f : RATE * 0.9f, seconds);
            }
        }
        ++pass;
        mixer.mix(out.data(), static_cast<int>(out.size()));
        benchmark::DoNotOptimize(out.data());
        frames += FRAMES;
    }
    reportRealTime(state, frames);
}
BENCHMARK(BM_Mixer)->Arg(0)->Arg(1)->Arg(2);

// The plain loop: 16-bit samples, a left and a right gain per voice, a
// 32-bit sum and a clamp.
void BM_ReferenceLoop(benchmark::State& state)
{
    const int length = RATE;
    std::vector<std::vector<int16_t>> data(VOICES, std::vector<int16_t>(2 * static_cast<size_t>(length)));
    std::vector<int32_t> leftGain(VOICES);
    std::vector<int32_t> rightGain(VOICES);
    std::vector<int> position(VOICES);
    for (int v = 0; v < VOICES; ++v) {
        for (size_t i = 0; i < data[v].size(); ++i) {
            data[v][i] = static_cast<int16_t>((i * 37 + static_cast<size_t>(v) * 11) % 20000 - 10000);
        }
        leftGain[v] = 200 + v;
        rightGain[v] = 3000 - v;
        position[v] = (v * length) / VOICES;
    }
    std::vector<int32_t> sum(2 * FRAMES);
    std::vector<int16_t> out(2 * FRAMES);
    long long frames = 0;
    for (auto _ : state) {
        std::fill(sum.begin(), sum.end(), 0);
        for (int v = 0; v < VOICES; ++v) {
            const int32_t gl = leftGain[v];
            const int32_t gr = rightGain[v];
            int p = position[v];
            for (int f = 0; f < FRAMES;) {
                // Up to the end of the sample, then round again from its start.
                int run = std::min(FRAMES - f, length - p);
                const int16_t* in = data[v].data() + 2 * p;
                int32_t* acc = sum.data() + 2 * f;
                for (int i = 0; i < run; ++i) {
                    acc[2 * i] += in[2 * i] * gl;
                    acc[2 * i + 1] += in[2 * i + 1] * gr;
                }
                f += run;
                p = (p + run) % length;
            }
            position[v] = p;
        }
        for (int i = 0; i < 2 * FRAMES; ++i) {
            int32_t s = sum[i] >> 12;
            out[i] = static_cast<int16_t>(s > 32767 ? 32767 : (s < -32768 ? -32768 : s));
        }
        benchmark::DoNotOptimize(out.data());
        frames += FRAMES;
    }
    reportRealTime(state, frames);
}
BENCHMARK(BM_ReferenceLoop);

const std::string& musicFile()
{
    static std::string file = stereoFile(10);
    return file;
}

void BM_DecodeMixerOGGstatic(benchmark::State& state)
{
    engine();
    std::unique_ptr<MemoryFile> file(memoryFileOf(musicFile()));
    long long frames = 0;
    for (auto _ : state) {
        MixerOGGstatic sound(file.get(), false, 1);
        benchmark::DoNotOptimize(sound.samples);
        frames += sound.length;
    }
    reportRealTime(state, frames);
}
BENCHMARK(BM_DecodeMixerOGGstatic)->Unit(benchmark::kMillisecond);

struct Bytes {
    const std::string* data;
    size_t at;
};

size_t readBytes(void* ptr, size_t size, size_t nmemb, void* source)
{
    auto* b = static_cast<Bytes*>(source);
    size_t n = std::min(size * nmemb, b->data->size() - b->at);
    std::memcpy(ptr, b->data->data() + b->at, n);
    b->at += n;
    return n / size;
}

int seekBytes(void* source, ogg_int64_t offset, int whence)
{
    auto* b = static_cast<Bytes*>(source);
    ogg_int64_t base = whence == SEEK_SET ? 0 : (whence == SEEK_CUR ? static_cast<ogg_int64_t>(b->at)
                                                                    : static_cast<ogg_int64_t>(b->data->size()));
    b->at = static_cast<size_t>(base + offset);
    return 0;
}

long tellBytes(void* source)
{
    return static_cast<long>(static_cast<Bytes*>(source)->at);
}

// libvorbisfile straight into one interleaved buffer of the claimed length.
void BM_DecodeVorbisfileDirect(benchmark::State& state)
{
    long long frames = 0;
    for (auto _ : state) {
        Bytes bytes{&musicFile(), 0};
        OggVorbis_File vf;
        ov_callbacks cb = {&readBytes, &seekBytes, nullptr, &tellBytes};
        ov_open_callbacks(&bytes, &vf, nullptr, 0, cb);
        long total = static_cast<long>(ov_pcm_total(&vf, -1));
        std::unique_ptr<float[]> out(new float[2 * static_cast<size_t>(total)]());
        long done = 0;
        for (;;) {
            float** pcm = nullptr;
            int bitstream = 0;
            long n = ov_read_float(&vf, &pcm, 65536, &bitstream);
            if (n <= 0 || done + n > total) {
                break;
            }
            for (long i = 0; i < n; ++i) {
                out[2 * (done + i)] = pcm[0][i];
                out[2 * (done + i) + 1] = pcm[1][i];
            }
            done += n;
        }
        ov_clear(&vf);
        benchmark::DoNotOptimize(out.get());
        frames += done;
    }
    reportRealTime(state, frames);
}
BENCHMARK(BM_DecodeVorbisfileDirect)->Unit(benchmark::kMillisecond);
}  // namespace

