// The mixer driven directly: voices, ids, play limits, steering, and the
// exact values a mixing pass writes.
#include <cmath>
#include <limits>

#include "AudioTestSupport.h"

namespace {
int expectedS16(float v)
{
    v = v < -1.0f ? -1.0f : (v > 1.0f ? 1.0f : v);
    return static_cast<int>(v * 32760.0);
}
}  // namespace

using MixerTest = AudioTest;

TEST_F(MixerTest, VoicesGetRisingIdsAndStayUntilStopped)
{
    Mixer mixer(deviceSpec(22050));
    EXPECT_EQ(mixer.mixBufferSize, 2048);
    EXPECT_EQ(mixer.bytesPerSample, 2);
    MixerOGGstatic* a = sources.constant(0.1f);
    MixerOGGstatic* b = sources.constant(0.1f);
    EXPECT_EQ(mixer.play(a, false), 0);
    EXPECT_EQ(mixer.play(b, false), 1);
    int third = mixer.play(a, true);
    EXPECT_EQ(third, 2);
    ASSERT_NE(mixer.findChannel(third), nullptr);
    EXPECT_TRUE(mixer.findChannel(third)->isMusic);
    EXPECT_FALSE(mixer.isStarted(third));
    mixer.start(third);
    EXPECT_TRUE(mixer.isStarted(third));
    mixer.stop(third);
    EXPECT_EQ(mixer.findChannel(third), nullptr);
    EXPECT_FALSE(mixer.isStarted(third));
    EXPECT_EQ(mixer.play(b, false), 3) << "ids are never reused";
    EXPECT_EQ(mixer.findChannel(-1), nullptr);
    EXPECT_EQ(mixer.countChildren(), 3u);
    // Operations on unknown ids change nothing.
    mixer.start(99);
    mixer.stop(99);
    mixer.setVolume(99, 0.5f, 0.0);
    EXPECT_EQ(mixer.countChildren(), 3u);
}

TEST_F(MixerTest, PlayLimitReplacesTheOldestVoiceOfThatSourceAndStopSourceEndsThemAll)
{
    Mixer mixer(deviceSpec(22050));
    MixerOGGstatic* two = sources.constant(0.1f, 22050, 4096, false, 2);
    MixerOGGstatic* one = sources.constant(0.1f, 22050, 4096, false, 1);
    int first = mixer.play(two, false);
    int second = mixer.play(two, false);
    int third = mixer.play(two, false);
    EXPECT_EQ(mixer.findChannel(first), nullptr);
    EXPECT_NE(mixer.findChannel(second), nullptr);
    EXPECT_NE(mixer.findChannel(third), nullptr);

    int a = mixer.play(one, false);
    int b = mixer.play(one, false);
    EXPECT_EQ(mixer.findChannel(a), nullptr);
    EXPECT_NE(mixer.findChannel(b), nullptr);

    // A finished voice does not count towards the limit.
    mixer.findChannel(second)->bDead = 1;
    int fourth = mixer.play(two, false);
    EXPECT_NE(mixer.findChannel(third), nullptr);
    EXPECT_NE(mixer.findChannel(fourth), nullptr);
    mixer.deleteFinished();
    EXPECT_EQ(mixer.countChildren(), 3u);

    // A limit lowered below the voices playing replaces one voice per play.
    two->maxPlaybacks = 1;
    int fifth = mixer.play(two, false);
    EXPECT_EQ(mixer.findChannel(third), nullptr);
    EXPECT_NE(mixer.findChannel(fourth), nullptr);
    EXPECT_NE(mixer.findChannel(fifth), nullptr);

    // Stopping a source ends its voices only, and finished voices go too.
    mixer.findChannel(b)->bDead = 1;
    int other = mixer.play(one, false);
    mixer.stopSource(two);
    EXPECT_EQ(mixer.findChannel(fourth), nullptr);
    EXPECT_EQ(mixer.findChannel(fifth), nullptr);
    EXPECT_NE(mixer.findChannel(other), nullptr);
    EXPECT_EQ(mixer.countChildren(), 1u);
}

TEST_F(MixerTest, SteeringClampsTargetsAndRampsOverOutputFrames)
{
    Mixer mixer(deviceSpec(22050));
    int id = mixer.play(sources.constant(0.1f), false);
    MixerChannel* voice = mixer.findChannel(id);
    EXPECT_EQ(voice->frequency, 22050.0f);
    EXPECT_EQ(voice->volume, 1000.0f);
    mixer.setVolume(id, 2.0f, 0.0);
    EXPECT_EQ(voice->volume, 1000.0f);
    mixer.setVolume(id, -1.0f, 0.0);
    EXPECT_EQ(voice->volume, 0.0f);
    mixer.setVolume(id, std::numeric_limits<float>::quiet_NaN(), 0.0);
    EXPECT_EQ(voice->volume, 0.0f);
    mixer.setPan(id, -3.0f, 0.0);
    EXPECT_EQ(voice->pan, -1000.0f);
    mixer.setPan(id, std::numeric_limits<float>::quiet_NaN(), 0.0);
    EXPECT_EQ(voice->pan, 0.0f);

    mixer.setVolume(id, 0.5f, 1.0);
    EXPECT_EQ(voice->volumeRampLeft, 22050);
    EXPECT_FLOAT_EQ(voice->volumeDelta, 500.0f / 22050.0f);
    // Shorter than one output frame, or a negative time: at once.
    mixer.setFrequency(id, 11025.0f, 0.00001);
    EXPECT_EQ(voice->frequency, 11025.0f);
    EXPECT_EQ(voice->freqRampLeft, 0);
    mixer.setPan(id, 1.0f, -5.0);
    EXPECT_EQ(voice->pan, 1000.0f);
    EXPECT_EQ(voice->panRampLeft, 0);
    mixer.setFrequency(id, 100.0f, 1e30);
    EXPECT_GT(voice->freqRampLeft, 0);
}

TEST_F(MixerTest, SetPositionStaysInsideTheBlockOnAnEvenIndex)
{
    Mixer mixer(deviceSpec(22050));
    int id = mixer.play(sources.constant(0.1f, 22050, 1001), false);
    MixerChannel* voice = mixer.findChannel(id);
    ASSERT_EQ(voice->playMax, 2002);
    const std::pair<float, int> cases[] = {
        {0.5f, 1000}, {0.3333f, 666}, {-2.0f, 0}, {7.0f, 2002}, {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (auto [position, cursor] : cases) {
        mixer.setPosition(id, position);
        EXPECT_EQ(voice->playCursor, cursor) << position;
    }
}

TEST_F(MixerTest, MixWritesEachVoiceWithItsGainPanAndMasterGain)
{
    Mixer mixer(deviceSpec(22050, AUDIO_S16LSB, 256));
    MixerOGGstatic* ramp = sources.ramp(2000, 0.0004f);
    int id = mixer.play(ramp, false);
    // Not started: silent.
    std::vector<int> silent = mixS16(mixer, 256);
    for (int v : silent) {
        EXPECT_EQ(v, 0);
    }
    mixer.start(id);
    mixer.setPan(id, 0.5f, 0.0);
    mixer.setVolume(id, 0.5f, 0.0);
    std::vector<int> out = mixS16(mixer, 256);
    for (int f = 0; f < 256; ++f) {
        // Pan 500: left 0.5, right 1.0; volume 500 halves both.
        EXPECT_EQ(out[2 * f], expectedS16(0.5f * 0.5f * ramp->samples[2 * f])) << f;
        EXPECT_EQ(out[2 * f + 1], expectedS16(1.0f * 0.5f * ramp->samples[2 * f + 1])) << f;
    }
    // The next pass continues where this one stopped.
    mixer.setPan(id, -0.25f, 0.0);
    mixer.setVolume(id, 1.0f, 0.0);
    out = mixS16(mixer, 256);
    for (int f = 0; f < 256; ++f) {
        EXPECT_EQ(out[2 * f], expectedS16(ramp->samples[2 * (256 + f)])) << f;
        EXPECT_EQ(out[2 * f + 1], expectedS16(0.75f * ramp->samples[2 * (256 + f) + 1])) << f;
    }

    // The master gains apply to music and sound voices apart.
    Mixer gains(deviceSpec(22050, AUDIO_S16LSB, 64));
    int sound = gains.play(sources.constant(0.2f), false);
    int music = gains.play(sources.constant(0.1f), true);
    gains.start(sound);
    gains.start(music);
    gains.setSoundGain(0.5f);
    gains.setMusicGain(2.0f);
    EXPECT_EQ(mixS16(gains, 64)[0], expectedS16(0.2f * 0.5f + 0.1f * 2.0f));
}

TEST_F(MixerTest, PlaybackRateStepsThroughTheSource)
{
    Mixer mixer(deviceSpec(22050, AUDIO_S16LSB, 128));
    MixerOGGstatic* ramp = sources.ramp(2000, 0.0004f);
    // A negative rate holds the voice where it is; it never runs backwards.
    struct Case {
        float rate;
        float position;
        int (*frameOf)(int);
    };
    const Case cases[] = {{22050.0f, 0.0f, [](int f) { return f; }},
                          {44100.0f, 0.0f, [](int f) { return 2 * f; }},
                          {11025.0f, 0.0f, [](int f) { return f / 2; }},
                          {-22050.0f, 0.1f, [](int) { return 200; }}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        int id = mixer.play(ramp, false);
        mixer.setPosition(id, c.position);
        mixer.setFrequency(id, c.rate, 0.0);
        mixer.start(id);
        std::vector<int> out = mixS16(mixer, 128);
        for (int f = 0; f < 128; ++f) {
            EXPECT_EQ(out[2 * f], expectedS16(ramp->samples[2 * c.frameOf(f)])) << f;
        }
        mixer.stop(id);
    }
}

TEST_F(MixerTest, FadeToSilenceEndsTheVoiceAndAPartialFadeKeepsIt)
{
    Mixer mixer(deviceSpec(22050, AUDIO_S16LSB, 1024));
    MixerOGGstatic* loop = sources.constant(0.5f, 22050, 3000, true);
    int fading = mixer.play(loop, false);
    int halving = mixer.play(loop, false);
    mixer.start(fading);
    mixer.start(halving);
    mixer.setVolume(fading, 0.0f, 1.0);
    mixer.setVolume(halving, 0.5f, 1.0);
    // 22050 frames of ramp: 21 full passes and the start of the 22nd.
    for (int pass = 0; pass < 21; ++pass) {
        mixS16(mixer, 1024);
    }
    EXPECT_NE(mixer.findChannel(fading), nullptr);
    mixS16(mixer, 1024);
    EXPECT_EQ(mixer.findChannel(fading), nullptr) << "finished voices are not found";
    ASSERT_NE(mixer.findChannel(halving), nullptr);
    // The ramp adds its step frame by frame in single precision.
    EXPECT_NEAR(mixer.findChannel(halving)->volume, 500.0f, 1.0f);
    EXPECT_EQ(mixer.countChildren(), 2u);
    mixer.deleteFinished();
    EXPECT_EQ(mixer.countChildren(), 1u);
    std::vector<int> out = mixS16(mixer, 1024);
    EXPECT_NEAR(out[0], expectedS16(0.25f), 20);
}

TEST_F(MixerTest, EndOfASoundEndsItsVoiceAndALoopRestartsInTheSamePass)
{
    Mixer mixer(deviceSpec(22050, AUDIO_S16LSB, 256));
    MixerOGGstatic* once = sources.ramp(100, 0.001f);
    int id = mixer.play(once, false);
    mixer.start(id);
    std::vector<int> out = mixS16(mixer, 256);
    EXPECT_EQ(out[2 * 99], expectedS16(once->samples[2 * 99]));
    EXPECT_EQ(out[2 * 100], 0);
    EXPECT_EQ(mixer.findChannel(id), nullptr);
    mixer.deleteFinished();
    EXPECT_EQ(mixer.countChildren(), 0u);

    MixerOGGstatic* looping = sources.ramp(100, 0.001f);
    looping->loop = true;
    id = mixer.play(looping, false);
    mixer.start(id);
    out = mixS16(mixer, 256);
    for (int f = 0; f < 256; ++f) {
        EXPECT_EQ(out[2 * f], expectedS16(looping->samples[2 * (f % 100)])) << f;
    }
}

TEST_F(MixerTest, EverySampleFormatIsConvertedWithClamping)
{
    struct Case {
        Uint16 format;
        int bytes;
        double offset;
        bool bigEndian;
        bool isSigned;
    };
    const float values[] = {0.5f, -0.25f, 1.7f, -3.0f};
    for (Case c : {Case{AUDIO_U8, 1, 128.0, false, false}, Case{AUDIO_S8, 1, 0.0, false, true},
                   Case{AUDIO_U16LSB, 2, 32768.0, false, false}, Case{AUDIO_S16LSB, 2, 0.0, false, true},
                   Case{AUDIO_U16MSB, 2, 32768.0, true, false}, Case{AUDIO_S16MSB, 2, 0.0, true, true}}) {
        for (float v : values) {
            SCOPED_TRACE(testing::Message() << "format " << std::hex << c.format << " value " << v);
            Mixer mixer(deviceSpec(22050, c.format, 16));
            int id = mixer.play(sources.constant(v), false);
            mixer.start(id);
            std::vector<Uint8> bytes(16 * 2 * static_cast<size_t>(c.bytes), 0xAA);
            mixer.mix(bytes.data(), static_cast<int>(bytes.size()));
            float clamped = v > 1.0f ? 1.0f : (v < -1.0f ? -1.0f : v);
            EXPECT_EQ(mixer.mixBuffer[0], clamped) << "the clamped value stays in the buffer";
            const int expected = static_cast<int>(clamped * (c.bytes == 1 ? 125.0 : 32760.0) + c.offset);
            int got = c.bytes == 1 ? bytes[0] : (c.bigEndian ? bytes[1] | (bytes[0] << 8) : bytes[0] | (bytes[1] << 8));
            if (c.isSigned) {
                got = c.bytes == 1 ? static_cast<Sint8>(got) : static_cast<Sint16>(got);
            }
            EXPECT_EQ(got, expected);
            EXPECT_NE(bytes.back(), 0xAA) << "the whole buffer is written";
        }
    }
    // A full-scale sum: 1.7 is written as 32760.
    Mixer mixer(deviceSpec(22050, AUDIO_S16LSB, 16));
    int id = mixer.play(sources.constant(1.7f), false);
    mixer.start(id);
    EXPECT_EQ(mixS16(mixer, 16)[0], 32760);

    // A mono device gets the mean of both sides.
    Mixer mono(deviceSpec(22050, AUDIO_S16LSB, 32, 1));
    EXPECT_EQ(mono.bytesPerSample, 2);
    id = mono.play(sources.constant(0.4f), false);
    mono.start(id);
    mono.setPan(id, 1.0f, 0.0);
    std::vector<Uint8> bytes(64, 0xAA);
    mono.mix(bytes.data(), 64);
    EXPECT_EQ(static_cast<Sint16>(bytes[0] | (bytes[1] << 8)), expectedS16(0.2f));
    EXPECT_EQ(static_cast<Sint16>(bytes[62] | (bytes[63] << 8)), expectedS16(0.2f));
}

TEST_F(MixerTest, AudioThreadFailuresAreSilencedAndRaisedLaterOnTheMainThread)
{
    Mixer mixer(deviceSpec(22050, AUDIO_S16LSB, 64));
    int id = mixer.play(sources.constant(0.5f), false);
    mixer.start(id);
    std::vector<Uint8> bytes(65 * 4, 0xAA);
    mixer.mix(bytes.data(), static_cast<int>(bytes.size()));
    for (Uint8 b : bytes) {
        ASSERT_EQ(b, 0);
    }
    EXPECT_TRUE(mixer.hasDeferredError());
    EXPECT_FATAL(mixer.raiseDeferredError(),
                 "Error: Assertion failed.\n Statement: numSamples<=mixBufferSize\n Function: mix\\(\\)");

    // A failed voice check stops that voice and is raised with its own text.
    Mixer voices(deviceSpec(22050, AUDIO_S16LSB, 64));
    int bad = voices.play(sources.constant(0.5f), false);
    int good = voices.play(sources.constant(0.25f), false);
    voices.start(bad);
    voices.start(good);
    voices.findChannel(bad)->playCursor = 3;
    std::vector<int> out = mixS16(voices, 64);
    EXPECT_EQ(out[0], expectedS16(0.25f)) << "the other voices play on";
    EXPECT_EQ(voices.findChannel(bad), nullptr);
    EXPECT_FATAL(voices.raiseDeferredError(), "Statement: playCursor%2==0\n Function: mixChannel\\(\\)");
    // Without a kept error nothing happens.
    Mixer quiet(deviceSpec(22050));
    quiet.raiseDeferredError();
    EXPECT_FALSE(quiet.hasDeferredError());
}

TEST_F(MixerTest, RampsAdvanceEveryOutputFrameBeforeItIsMixed)
{
    Mixer mixer(deviceSpec(22050, AUDIO_S16LSB, 256));
    int id = mixer.play(sources.constant(0.5f, 22050, 8000, true), false);
    mixer.start(id);
    // 100 frames: 0.5 / 22050 s rounds down to 99 frames at most, so ask
    // for a little more.
    mixer.setPan(id, 1.0f, 100.5 / 22050.0);
    mixer.setVolume(id, 0.5f, 100.5 / 22050.0);
    std::vector<int> out = mixS16(mixer, 256);
    for (int f = 0; f < 100; ++f) {
        float pan = static_cast<float>(f + 1) / 100.0f;
        float volume = 1.0f - 0.5f * static_cast<float>(f + 1) / 100.0f;
        EXPECT_NEAR(out[2 * f], expectedS16(0.5f * (1.0f - pan) * volume), 2) << f;
        EXPECT_NEAR(out[2 * f + 1], expectedS16(0.5f * volume), 2) << f;
    }
    for (int f = 100; f < 256; ++f) {
        EXPECT_EQ(out[2 * f], 0);
        EXPECT_NEAR(out[2 * f + 1], expectedS16(0.25f), 2);
    }
    MixerChannel* voice = mixer.findChannel(id);
    EXPECT_EQ(voice->panRampLeft, 0);
    EXPECT_NEAR(voice->pan, 1000.0f, 0.1f);
    EXPECT_NEAR(voice->volume, 500.0f, 0.1f);

    // A rate ramp from 22050 to 44100 Hz over 200 frames covers about 300
    // source frames, then runs at twice the rate.
    MixerOGGstatic* ramp = sources.ramp(4000, 0.0002f);
    int glide = mixer.play(ramp, false);
    mixer.start(glide);
    mixer.setFrequency(glide, 44100.0f, 200.5 / 22050.0);
    mixer.setVolume(id, 0.0f, 0.0);
    mixS16(mixer, 200);
    EXPECT_NEAR(mixer.findChannel(glide)->playCursor / 2, 300, 2);
    EXPECT_NEAR(mixer.findChannel(glide)->frequency, 44100.0f, 1.0f);
    int before = mixer.findChannel(glide)->playCursor;
    mixS16(mixer, 50);
    EXPECT_EQ(mixer.findChannel(glide)->playCursor - before, 200);
}
