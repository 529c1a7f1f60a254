// The Ogg Vorbis sources over memory: decoding whole and streamed, looping,
// the memory callbacks, and files that are damaged or lie about themselves.
#include <ogg/ogg.h>

#include <cmath>
#include <cstdio>

#include "AudioTestSupport.h"

namespace {
// The length of the page's segment table and of its body.
std::pair<size_t, size_t> pageSizes(const std::string& ogg, size_t page)
{
    auto segments = static_cast<unsigned char>(ogg[page + 26]);
    size_t body = 0;
    for (size_t i = 0; i < segments; ++i) {
        body += static_cast<unsigned char>(ogg[page + 27 + i]);
    }
    return {segments, body};
}

// Byte offsets of every Ogg page in the file.
std::vector<size_t> pageOffsets(const std::string& ogg)
{
    std::vector<size_t> pages;
    for (size_t at = 0; at + 27 <= ogg.size() && ogg.compare(at, 4, "OggS") == 0;) {
        pages.push_back(at);
        auto [segments, body] = pageSizes(ogg, at);
        at += 27 + segments + body;
    }
    return pages;
}

// Rewrites the granule position (the frame count so far) of the page at
// the offset and fixes its checksum, so the reader believes it.
void setGranule(std::string& ogg, size_t page, i64 granule)
{
    for (int i = 0; i < 8; ++i) {
        ogg[page + 6 + static_cast<size_t>(i)] = static_cast<char>((static_cast<u64>(granule) >> (8 * i)) & 0xFF);
    }
    auto [segments, body] = pageSizes(ogg, page);
    ogg_page p;
    p.header = reinterpret_cast<unsigned char*>(&ogg[page]);
    p.header_len = static_cast<long>(27 + segments);
    p.body = reinterpret_cast<unsigned char*>(&ogg[page + 27 + segments]);
    p.body_len = static_cast<long>(body);
    ogg_page_checksum_set(&p);
}

std::string toneFile(int channels, int rate, int frames, double hz = 440.0)
{
    return encodeOgg(sineWave(hz, 0.5, rate, frames, channels), channels, rate);
}

// Noise does not compress, so the file spans many pages.
std::string noiseFile(int channels, int rate, int frames)
{
    std::vector<float> samples(static_cast<size_t>(frames) * static_cast<size_t>(channels));
    u32 state = 12345;
    for (float& v : samples) {
        state = state * 1664525u + 1013904223u;
        v = static_cast<float>(state >> 8) / 16777216.0f - 0.5f;
    }
    return encodeOgg(samples, channels, rate);
}
}  // namespace

using MixerOGGTest = AudioTest;

TEST_F(MixerOGGTest, DecodesMonoAndStereoAtEachRateToStereoPairs)
{
    for (int rate : {11025, 22050, 44100}) {
        MixerOGGstatic* mono = sources.decoded(toneFile(1, rate, 5000));
        EXPECT_EQ(mono->rate, rate);
        EXPECT_EQ(mono->channels, 1);
        EXPECT_EQ(mono->length, 5000);
        EXPECT_EQ(mono->blockLength, 10000);
        EXPECT_EQ(mono->file, nullptr) << "the file may go once decoded";
        double energy = 0.0;
        for (int i = 0; i < mono->length; ++i) {
            ASSERT_EQ(mono->samples[2 * i], mono->samples[2 * i + 1]) << "mono is heard on both sides";
            energy += mono->samples[2 * i] * mono->samples[2 * i];
        }
        EXPECT_NEAR(std::sqrt(energy / mono->length), 0.5 / std::sqrt(2.0), 0.03);
    }
    // Stereo keeps its sides apart: a tone on the left, silence on the right.
    std::vector<float> left = sineWave(440, 0.5, 22050, 4000, 2);
    for (size_t i = 1; i < left.size(); i += 2) {
        left[i] = 0.0f;
    }
    MixerOGGstatic* stereo = sources.decoded(encodeOgg(left, 2, 22050));
    EXPECT_EQ(stereo->channels, 2);
    double l = 0.0;
    double r = 0.0;
    for (int i = 0; i < stereo->length; ++i) {
        l += std::fabs(stereo->samples[2 * i]);
        r += std::fabs(stereo->samples[2 * i + 1]);
    }
    EXPECT_GT(l, 50.0 * r);
}

TEST_F(MixerOGGTest, StaticRefillGivesTheWholeSoundLoopsWhenAskedAndServesTwoVoicesApart)
{
    MixerOGGstatic* once = sources.decoded(toneFile(1, 22050, 1000));
    int cursor = -1;
    int max = -1;
    ASSERT_TRUE(once->refill(cursor, max));
    EXPECT_EQ(cursor, 0);
    EXPECT_EQ(max, 2000);
    cursor = 2000;
    EXPECT_FALSE(once->refill(cursor, max));

    MixerOGGstatic* looping = sources.decoded(toneFile(1, 22050, 1000), true);
    cursor = -1;
    max = -1;
    looping->refill(cursor, max);
    cursor = 2000;
    EXPECT_TRUE(looping->refill(cursor, max));
    EXPECT_EQ(cursor, 0);

    Mixer mixer(deviceSpec(22050, AUDIO_S16LSB, 64));
    MixerOGGstatic* sound = sources.decoded(toneFile(1, 22050, 2000));
    int a = mixer.play(sound, false);
    int b = mixer.play(sound, false);
    mixer.start(a);
    mixS16(mixer, 64);
    mixer.start(b);
    mixS16(mixer, 64);
    EXPECT_EQ(mixer.findChannel(a)->playCursor, 256);
    EXPECT_EQ(mixer.findChannel(b)->playCursor, 128);
}

TEST_F(MixerOGGTest, StreamDecodesBlockByBlockEndsOnceAndLoopsFromTheFirstPacket)
{
    std::string ogg = toneFile(2, 22050, 20000);
    std::unique_ptr<MemoryFile> file(memoryFileOf(ogg));
    MixerOGGstatic* whole = sources.decoded(ogg);
    {
        MixerOGGstream stream(file.get(), false, 1);
        EXPECT_EQ(stream.capacity, 65536);
        EXPECT_EQ(stream.length, 20000);
        int cursor = -1;
        int max = -1;
        stream.rewind();
        int frames = 0;
        bool sameAsWhole = true;
        while (stream.refill(cursor, max)) {
            ASSERT_EQ(cursor, 0);
            ASSERT_GT(max, 0);
            ASSERT_LE(max, stream.capacity);
            for (int i = 0; i < max; ++i) {
                sameAsWhole = sameAsWhole && stream.samples[i] == whole->samples[2 * frames + i];
            }
            frames += max / 2;
            cursor = max;
        }
        EXPECT_EQ(frames, 20000);
        EXPECT_TRUE(sameAsWhole);
    }
    {
        MixerOGGstream stream(file.get(), true, 1);
        int cursor = -1;
        int max = -1;
        stream.rewind();
        ASSERT_TRUE(stream.refill(cursor, max));
        std::vector<float> first(stream.samples, stream.samples + max);
        int frames = max / 2;
        cursor = max;
        while (frames < 20000) {
            ASSERT_TRUE(stream.refill(cursor, max));
            frames += max / 2;
            cursor = max;
        }
        ASSERT_TRUE(stream.refill(cursor, max)) << "a looping stream goes on";
        EXPECT_EQ(std::vector<float>(stream.samples, stream.samples + max), first);
    }
}

TEST_F(MixerOGGTest, AStreamBlockEndingMidBufferIsFollowedInTheSamePass)
{
    std::string ogg = toneFile(1, 22050, 20000);
    std::unique_ptr<MemoryFile> file(memoryFileOf(ogg));
    MixerOGGstatic* whole = sources.decoded(ogg);
    MixerOGGstream stream(file.get(), false, 1);
    Mixer mixer(deviceSpec(22050, AUDIO_S16LSB, 4096));
    int id = mixer.play(&stream, true);
    mixer.start(id);
    std::vector<int> out = mixS16(mixer, 4096);
    for (int f = 0; f < 4096; ++f) {
        ASSERT_EQ(out[2 * f], static_cast<int>(whole->samples[2 * f] * 32760.0)) << f;
    }
    EXPECT_GT(mixer.findChannel(id)->playCursor, 0);
    mixer.stopSource(&stream);
    EXPECT_EQ(mixer.countChildren(), 0u);
}

TEST_F(MixerOGGTest, MemoryCallbacksStayInsideTheFile)
{
    std::string ogg = toneFile(1, 22050, 1000);
    std::unique_ptr<MemoryFile> file(memoryFileOf(ogg));
    MixerOGGstream stream(file.get(), false, 1);
    auto size = static_cast<long>(ogg.size());
    char buffer[64];
    EXPECT_EQ(MixerOGG::memSeek(&stream, 0, SEEK_END), 0);
    EXPECT_EQ(MixerOGG::memTell(&stream), size);
    EXPECT_EQ(MixerOGG::memRead(buffer, 1, sizeof(buffer), &stream), 0u) << "nothing at the end";
    EXPECT_EQ(MixerOGG::memSeek(&stream, 100, SEEK_END), 0) << "past the end is allowed";
    EXPECT_EQ(MixerOGG::memRead(buffer, 1, sizeof(buffer), &stream), 0u);
    EXPECT_EQ(MixerOGG::memSeek(&stream, 10, 7), -1);
    EXPECT_EQ(MixerOGG::memTell(&stream), size + 100) << "an unknown whence leaves the position";
    EXPECT_EQ(MixerOGG::memSeek(&stream, -1, SEEK_SET), -1) << "before the start is refused";
    EXPECT_EQ(MixerOGG::memSeek(&stream, -size - 1, SEEK_END), -1);
    EXPECT_EQ(MixerOGG::memSeek(&stream, i64(1) << 40, SEEK_SET), -1);
    EXPECT_EQ(MixerOGG::memTell(&stream), size + 100);

    EXPECT_EQ(MixerOGG::memSeek(&stream, size - 10, SEEK_SET), 0);
    EXPECT_EQ(MixerOGG::memRead(buffer, 4, 16, &stream), 2u) << "only what is left, in whole items";
    EXPECT_EQ(MixerOGG::memTell(&stream), size);
    EXPECT_EQ(MixerOGG::memSeek(&stream, -4, SEEK_CUR), 0);
    EXPECT_EQ(MixerOGG::memRead(buffer, 0, 16, &stream), 0u);
    EXPECT_EQ(MixerOGG::memRead(buffer, 1, 4, &stream), 4u);
    EXPECT_EQ(std::string(buffer, 4), ogg.substr(ogg.size() - 4));
}

TEST_F(MixerOGGTest, ATotalLengthThatLiesIsNeverTrusted)
{
    std::string ogg = noiseFile(1, 22050, 20000);
    std::vector<size_t> pages = pageOffsets(ogg);
    ASSERT_GE(pages.size(), 4u);

    // Claims fewer frames than it holds: decoding stops at the claim.
    std::string shorter = ogg;
    setGranule(shorter, pages.back(), 15000);
    MixerOGGstatic* cut = sources.decoded(shorter);
    EXPECT_EQ(cut->length, 15000);
    EXPECT_EQ(cut->blockLength, 30000);

    // Claims more: the sound ends where its data ends.
    std::string longer = ogg;
    setGranule(longer, pages.back(), 30000);
    MixerOGGstatic* padded = sources.decoded(longer);
    EXPECT_LE(padded->length, 30000);
    EXPECT_GE(padded->length, 15000);
    EXPECT_EQ(padded->blockLength, 2 * padded->length);

    // A negative claim leaves the length unknown: decoded as far as it goes.
    std::string negative = ogg;
    setGranule(negative, pages.back(), -5000);
    MixerOGGstatic* unknown = sources.decoded(negative);
    EXPECT_GT(unknown->length, 15000);
    EXPECT_LE(unknown->length, 2 * unknown->capacity);
    EXPECT_EQ(unknown->blockLength, 2 * unknown->length);

    // Claims far more than any sound may hold: refused before allocating.
    std::string huge = ogg;
    setGranule(huge, pages.back(), i64(1) << 40);
    EXPECT_FATAL(sources.decoded(huge), "Error: Invalid sound length: [0-9]+ sample frames.\n Function: MixerOGGstatic");
    // Streams never allocate by the claim and play what is there.
    std::unique_ptr<MemoryFile> file(memoryFileOf(huge));
    MixerOGGstream stream(file.get(), false, 1);
    int cursor = -1;
    int max = -1;
    int frames = 0;
    while (stream.refill(cursor, max)) {
        frames += max / 2;
        cursor = max;
    }
    EXPECT_GT(frames, 0);
}

TEST_F(MixerOGGTest, DamagedAndTruncatedFilesAreRefusedOrDecodedSafely)
{
    EXPECT_FATAL(sources.decoded(std::string(200, 'x')),
                 "Statement: ov_open_callbacks\\(this, &vf, NULL, 0, cb\\)==0\n Function: MixerOGG\\(\\)");
    EXPECT_FATAL(sources.decoded(std::string()), "ov_open_callbacks");

    std::string ogg = noiseFile(2, 44100, 150000);
    // Cut inside the headers: not a playable file.
    EXPECT_FATAL(sources.decoded(ogg.substr(0, 300)), "ov_open_callbacks");
    for (size_t cut : {ogg.size() / 2, ogg.size() - 7}) {
        MixerOGGstatic* truncated = sources.decoded(ogg.substr(0, cut));
        EXPECT_GT(truncated->length, 50000) << "what is there is played";
        EXPECT_LE(truncated->length, 150000);
        EXPECT_EQ(truncated->blockLength, 2 * truncated->length);
        EXPECT_LE(truncated->blockLength, truncated->capacity);
    }
    // A corrupted page in the middle is skipped by its checksum.
    std::string corrupt = ogg;
    for (size_t i = corrupt.size() / 2; i < corrupt.size() / 2 + 40; ++i) {
        corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A);
    }
    Mixer mixer(deviceSpec(44100, AUDIO_S16LSB, 1024));
    Mixer::DeferErrors keep(mixer);
    MixerOGGstatic* damaged = sources.decoded(corrupt);
    EXPECT_LE(damaged->length, 150000);
    int id = mixer.play(damaged, false);
    mixer.start(id);
    for (int pass = 0; pass < 160; ++pass) {
        mixS16(mixer, 1024);
    }
    EXPECT_EQ(mixer.findChannel(id), nullptr);
}

TEST_F(MixerOGGTest, MoreThanTwoChannelsIsRefused)
{
    std::string ogg = toneFile(3, 22050, 2000);
    EXPECT_FATAL(sources.decoded(ogg), "Error: Unhandled number of channels: 3\n Function: MixerOGGstatic\\(\\)");

    {
        std::unique_ptr<MemoryFile> file(memoryFileOf(ogg));
        EXPECT_FATAL(MixerOGGstream(file.get(), false, 1),
                     "Error: Unhandled number of channels: 3\n Function: MixerOGGstream\\(\\)");
    }

    // A chained file may change its channels later: a music stream meets
    // them on the audio thread, where the voice ends and the error waits
    // for the main thread.
    std::string chained = toneFile(1, 22050, 3000) + encodeOgg(sineWave(440, 0.5, 22050, 3000, 3), 3, 22050, 0.4f, 7);
    std::unique_ptr<MemoryFile> file(memoryFileOf(chained));
    MixerOGGstream stream(file.get(), false, 1);
    Mixer mixer(deviceSpec(22050, AUDIO_S16LSB, 1024));
    int id = mixer.play(&stream, true);
    mixer.start(id);
    for (int pass = 0; pass < 8; ++pass) {
        mixS16(mixer, 1024);
    }
    EXPECT_EQ(mixer.findChannel(id), nullptr);
    EXPECT_FATAL(mixer.raiseDeferredError(), "Error: Unhandled number of channels: 3\n Function: refill\\(\\)");

    // The sounds decoded at load refuse the second link there.
    EXPECT_FATAL(sources.decoded(chained), "Unhandled number of channels: 3\n Function: MixerOGGstatic");
    // A chain of mono and stereo links decodes without reading a missing
    // channel.
    MixerOGGstatic* mixed = sources.decoded(toneFile(1, 22050, 3000) +
                                         encodeOgg(sineWave(440, 0.5, 22050, 3000, 2), 2, 22050, 0.4f, 9));
    EXPECT_GE(mixed->length, 3000);
    EXPECT_LE(mixed->length, 6000);
}
