// Sounds, their handles and music streams on a paused device: pitch,
// semitones, minimum interval, play limits and the stream's single voice.
#include <cmath>

#include "AudioDevice.h"
#include "audio/Sound.h"
#include "audio/SoundChannel.h"
#include "audio/SoundStream.h"
#include "support/ScriptedRandom.h"

namespace {
class SoundTest : public testing::Test {
protected:
    void SetUp() override
    {
        tone = device.writeSound("tone.ogg", encodeOgg(sineWave(440, 0.5, 22050, 22050, 1), 1, 22050));
        audio = device.start();
        audio->onQELmodeChange(3, 2);
    }
    // The voice the last play of the sound created.
    MixerChannel* lastVoice() { return static_cast<MixerChannel*>(device.mixer()->lastChild); }

    AudioDevice device;
    std::string tone;
    QelAudio* audio = nullptr;
};
}  // namespace

TEST_F(SoundTest, LoadingDecodesTheWholeFileAndSemitonesStepBy1Point0595)
{
    EXPECT_EQ(Sound::semitoneRatio(0), 1.0f);
    EXPECT_EQ(Sound::semitoneRatio(1), 1.0595f);
    EXPECT_EQ(Sound::semitoneRatio(-1), static_cast<float>(1.0 / 1.0595));
    EXPECT_NEAR(Sound::semitoneRatio(12), 2.0008, 0.0001);
    EXPECT_NEAR(Sound::semitoneRatio(-12), 0.4998, 0.0001);
    Sound sound(tone, false, 4);
    sound.playSemitones(12);
    EXPECT_FLOAT_EQ(lastVoice()->frequency, 22050.0f * Sound::semitoneRatio(12));
    EXPECT_TRUE(lastVoice()->started);
    EXPECT_FALSE(lastVoice()->isMusic);
    sound.playSemitones(-1);
    EXPECT_FLOAT_EQ(lastVoice()->frequency, 22050.0f * Sound::semitoneRatio(-1));

    Sound three(tone, false, 3);
    ASSERT_NE(three.sample, nullptr);
    EXPECT_EQ(three.sample->length, 22050);
    EXPECT_EQ(three.sample->maxPlaybacks, 3);
    EXPECT_NE(device.logText().find(formatString("Sound(): Loading sound file '%s'.", tone.c_str())), std::string::npos);
}

TEST_F(SoundTest, DeletingASoundEndsItsVoicesAndNoOther)
{
    Sound kept(tone, false, 4);
    auto* deleted = new Sound(tone, false, 4);
    deleted->play();
    kept.play();
    deleted->play();
    EXPECT_EQ(device.mixer()->countChildren(), 3u);
    delete deleted;
    ASSERT_EQ(device.mixer()->countChildren(), 1u);
    EXPECT_EQ(lastVoice()->source, kept.sample);
}

TEST_F(SoundTest, PitchFrequencyAndPanFollowTheirRanges)
{
    Sound sound(tone, false, 4);
    srand(7);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(sound.randomPitch(), 1.0f);
    }
    sound.pitchMin = -0.1f;
    sound.pitchMax = 0.1f;
    float lowest = 2.0f;
    float highest = 0.0f;
    for (int i = 0; i < 2000; ++i) {
        float ratio = sound.randomPitch();
        lowest = std::min(lowest, ratio);
        highest = std::max(highest, ratio);
    }
    EXPECT_GE(lowest, 0.9f);
    EXPECT_LT(highest, 1.1f);
    EXPECT_LT(lowest, 0.92f);
    EXPECT_GT(highest, 1.08f);
    sound.play();
    EXPECT_GE(lastVoice()->frequency, 0.9f * 22050.0f);
    EXPECT_LT(lastVoice()->frequency, 1.1f * 22050.0f);
    {
        // One draw of the engine's random source per play.
        ScriptedRandom script{ScriptedRandom::ofFraction(0.75)};
        sound.play();
        EXPECT_FLOAT_EQ(lastVoice()->frequency, (1.0f - 0.1f + 0.75f * 0.2f) * 22050.0f);
        EXPECT_EQ(script.left(), 0);
    }

    // Frequencies are Hz above one hundred and ratios up to it.
    Sound eight(tone, false, 8);
    for (auto [asked, played] : {std::pair{22050.0f, 22050.0f}, {0.5f, 11025.0f}, {-3.0f, 0.0f}}) {
        eight.playAtFrequency(asked);
        EXPECT_EQ(lastVoice()->frequency, played) << asked;
    }
    SoundChannel ratio(&eight);
    ratio.setFrequency(100.0f, 0.0);
    EXPECT_EQ(lastVoice()->frequency, 100.0f * 22050.0f);
    SoundChannel hz(&eight);
    hz.setFrequency(100.5f, 0.0);
    EXPECT_EQ(lastVoice()->frequency, 100.5f);

    const float cases[][2] = {{-400, -1}, {0, 0}, {400, 1}, {1000, 1}, {-1000, -1}, {200, 0.5f}};
    for (const auto& [x, pan] : cases) {
        EXPECT_EQ(SoundChannel::panFromScreenX(x, 800), pan) << x;
    }
    EXPECT_EQ(SoundChannel::panFromScreenX(5.0f, 0), 0.0f) << "an empty view pans to the centre";
}

TEST_F(SoundTest, AMinimumIntervalRefusesStartsThatComeTooSoon)
{
    Sound sound(tone, false, 4);
    sound.minInterval = 0.2;
    device.advanceClock(10.0);
    sound.play();
    double started = sound.lastStartTime;
    EXPECT_GT(started, 0.0);
    sound.play();
    EXPECT_EQ(device.mixer()->countChildren(), 1u) << "the second voice was made and deleted";
    EXPECT_EQ(sound.lastStartTime, started) << "a refused start does not move the time";
    device.advanceClock(0.5);
    sound.play();
    EXPECT_EQ(device.mixer()->countChildren(), 2u);

    // With a play limit of 1 the refused play has already replaced the voice.
    Sound single(tone, false, 1);
    single.minInterval = 0.2;
    single.play();
    single.play();
    int voicesOfSingle = 0;
    for (BasicLink* node = device.mixer()->firstChild; node != nullptr; node = node->next) {
        voicesOfSingle += static_cast<MixerChannel*>(node)->source == single.sample ? 1 : 0;
    }
    EXPECT_EQ(voicesOfSingle, 0);
}

TEST_F(SoundTest, AHandleSteersItsVoiceAndLeavesItPlayingWhenDeleted)
{
    std::string loop = device.writeSound("loop.ogg", encodeOgg(sineWave(220, 0.5, 22050, 4000, 2), 2, 22050));
    Sound engine(loop, true, 2);
    auto* channel = new SoundChannel(&engine);
    EXPECT_FALSE(channel->isPlaying()) << "not before play";
    channel->play();
    EXPECT_TRUE(channel->isPlaying());
    channel->setVolume(0.5f, 0.0);
    channel->setPan(-1.0f, 0.0);
    channel->setPosition(0.5f);
    MixerChannel* voice = device.mixer()->findChannel(channel->channelId);
    EXPECT_EQ(voice->volume, 500.0f);
    EXPECT_EQ(voice->pan, -1000.0f);
    EXPECT_EQ(voice->playCursor, 4000);
    int id = channel->channelId;
    delete channel;
    EXPECT_TRUE(device.mixer()->isStarted(id));
    audio->stopAll();
    EXPECT_FALSE(device.mixer()->isStarted(id));

    SoundChannel stopped(&engine);
    stopped.play();
    stopped.stop();
    EXPECT_FALSE(stopped.isPlaying());
    stopped.play();
    EXPECT_FALSE(stopped.isPlaying()) << "one handle, one voice";
}

TEST_F(SoundTest, AStreamHasOneVoiceThatEndsFadesAndStartsAgain)
{
    std::string music = device.writeSound("music.ogg", encodeOgg(sineWave(330, 0.5, 22050, 3000, 2), 2, 22050));
    auto* stream = new SoundStream(music, false);
    EXPECT_NE(device.logText().find(formatString("SoundStream(): Creating stream for '%s'.", music.c_str())),
              std::string::npos);
    EXPECT_EQ(stream->channelId, -1);
    stream->play();
    int first = stream->channelId;
    stream->play();
    EXPECT_EQ(stream->channelId, first);
    EXPECT_EQ(device.mixer()->countChildren(), 1u);
    EXPECT_TRUE(device.mixer()->findChannel(first)->isMusic);

    // The file runs out: the voice finishes, and play starts it again.
    Mixer* mixer = device.mixer();
    std::vector<Uint8> buffer(mixer->spec.size);
    mixer->mix(buffer.data(), static_cast<int>(buffer.size()));
    EXPECT_TRUE(stream->isPlaying());
    mixer->mix(buffer.data(), static_cast<int>(buffer.size()));
    EXPECT_FALSE(stream->isPlaying());
    audio->update();
    stream->play();
    EXPECT_GT(stream->channelId, first);
    EXPECT_TRUE(stream->isPlaying());
    EXPECT_EQ(device.mixer()->findChannel(stream->channelId)->playCursor, 0) << "from the start";

    // Play during a fade to silence does not cancel the fade.
    stream->setVolume(0.0f, 0.01);
    int fading = stream->channelId;
    stream->play();
    EXPECT_EQ(stream->channelId, fading);
    mixer->mix(buffer.data(), static_cast<int>(buffer.size()));
    EXPECT_FALSE(stream->isPlaying());

    stream->play();
    stream->stop();
    EXPECT_FALSE(stream->isPlaying());
    stream->play();
    // Deleting the stream ends its voice first.
    delete stream;
    EXPECT_EQ(device.mixer()->countChildren(), 0u);
}

TEST_F(SoundTest, MutedSoundsAreEmptyShells)
{
    device.stop();
    device.qel->config->setBool("QelAudio", "bMute", true);
    device.start();
    Sound sound(tone, true, 2);
    EXPECT_EQ(sound.sample, nullptr);
    sound.play();
    sound.playSemitones(3);
    sound.playAtFrequency(0.5f);
    SoundChannel channel(&sound);
    EXPECT_EQ(channel.channelId, -1);
    channel.setFrequency(2.0f, 0.0);
    channel.setVolume(0.5f, 0.0);
    channel.setPan(0.5f, 0.0);
    channel.setPosition(0.5f);
    channel.play();
    channel.stop();
    EXPECT_FALSE(channel.isPlaying());
    EXPECT_EQ(sound.lastStartTime, -std::numeric_limits<double>::infinity()) << "never started";
}

TEST_F(SoundTest, AHandleNeedsASound)
{
    // SDL's audio thread runs beside the test: the child starts afresh.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_FATAL(SoundChannel(nullptr), "Statement: pSound!=NULL\n Function: SoundChannel\\(\\)");
}
