// The audio device: configuration keys, the format it asks for, muting, the
// presentation-mode pauses, the per-frame update and the current music.
#include "AudioDevice.h"
#include "audio/Sound.h"
#include "audio/SoundStream.h"
#include "support/ScopedEnv.h"

#include <SDL.h>

#include <atomic>
#include <thread>

namespace {
std::string configWith(const char* frequency)
{
    return std::string("[QelAudio]\nfrequency=") + frequency + "\n";
}
}  // namespace

TEST(QelAudioTest, AMissingSectionGetsEveryKeyTheDeviceIsOpenedAndModeStepsPauseIt)
{
    AudioDevice device;
    QelAudio* audio = device.start();
    MemoryIniFile* config = device.qel->config;
    EXPECT_EQ(config->getString("QelAudio", "bMute"), "No");
    EXPECT_EQ(config->getString("QelAudio", "frequency"), "22050");
    EXPECT_EQ(config->getString("QelAudio", "mixBufferDuration"), "0.10000000");
    ASSERT_NE(audio->mixer, nullptr);
    EXPECT_EQ(audio->mixer->spec.freq, 22050);
    EXPECT_EQ(audio->mixer->spec.samples, 2048);
    EXPECT_EQ(audio->mixer->mixBufferSize, 4096);
    EXPECT_EQ(SDL_GetAudioStatus(), SDL_AUDIO_PLAYING);
    std::string log = device.logText();
    for (const char* line : {"dumpInfo(): \tformat: AUDIO_S16LSB", "dumpInfo(): \tsamples 2048",
                             "Mixer(): Allocating mix buffer: 4096 samples", "QelAudio(): Started."}) {
        EXPECT_NE(log.find(line), std::string::npos) << line;
    }

    // Presentation-mode steps pause and resume the device.
    audio->onQELmodeChange(3, 2);
    EXPECT_EQ(SDL_GetAudioStatus(), SDL_AUDIO_PAUSED);
    audio->onQELmodeChange(2, 1);
    audio->onQELmodeChange(1, 2);
    EXPECT_EQ(SDL_GetAudioStatus(), SDL_AUDIO_PAUSED);
    audio->onQELmodeChange(2, 3);
    EXPECT_EQ(SDL_GetAudioStatus(), SDL_AUDIO_PLAYING);
    audio->onQELmodeChange(3, 2);
    audio->onQELmodeChange(2, 3);
    EXPECT_EQ(SDL_GetAudioStatus(), SDL_AUDIO_PLAYING);

    // The destructor stores the rate the settings chose for the next start.
    audio->frequency = 44100;
    device.stop();
    EXPECT_EQ(config->getString("QelAudio", "frequency"), "44100");
}

TEST(QelAudioTest, TheBufferIsSizedFromTheRateInWholeStepsOf256Frames)
{
    for (auto [rate, samples] : {std::pair{"44100", 4352}, std::pair{"11025", 1024}}) {
        AudioDevice device(configWith(rate));
        QelAudio* audio = device.start();
        EXPECT_NE(device.logText().find(formatString("dumpInfo(): \tsamples %d", samples)), std::string::npos);
        EXPECT_EQ(audio->mixer->spec.freq, atoi(rate));
    }
}

TEST(QelAudioTest, MutedSoundOpensNothingAndEveryOperationDoesNothing)
{
    AudioDevice device("[QelAudio]\nbMute=Yes\n");
    std::string path = device.writeSound("music.ogg", encodeOgg(sineWave(440, 0.5, 22050, 2000, 1), 1, 22050));
    QelAudio* audio = device.start();
    EXPECT_TRUE(audio->bMute);
    EXPECT_EQ(audio->mixer, nullptr);
    std::string log = device.logText();
    EXPECT_NE(log.find("QelAudio(): Sound has been muted."), std::string::npos);
    EXPECT_NE(log.find("QelAudio(): Started."), std::string::npos);
    EXPECT_EQ(log.find("Desired audio spec"), std::string::npos);
    audio->update();
    audio->setSoundVolume(0.5f);
    audio->setMusicVolume(0.5f);
    SoundStream music(path, true);
    EXPECT_GT(music.file.size, 0) << "the file is still read";
    EXPECT_EQ(music.stream, nullptr);
    audio->playMusic(&music);
    EXPECT_EQ(audio->currentMusic, &music);
    EXPECT_FALSE(music.isPlaying());
    audio->stopAll();
    EXPECT_EQ(audio->currentMusic, &music) << "muted: nothing changes";
    audio->fadeMusic(0.5f, 1.0);
    audio->stopMusic();
    EXPECT_EQ(audio->currentMusic, nullptr);
}

// A machine without sound: SDL's sound system does not start (no such
// driver), or its device does not open (a disk driver whose file cannot be
// made). The run goes on silently, says why, and the next start tries again.
TEST(QelAudioTest, WithoutASoundDeviceTheGameRunsSilently)
{
    const struct {
        const char* driver;
        const char* line;
    } cases[] = {
        {"no-such-driver", "QelAudio(): The sound device could not be opened (No available audio device); "},
        {"disk", "QelAudio(): The sound device could not be opened ("},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.driver);
        AudioDevice device;
        const std::string unwritable = device.folder.path + "/no/such/folder/out.raw";
        ScopedEnv driver("SDL_AUDIODRIVER", c.driver);
        ScopedEnv output("SDL_DISKAUDIOFILE", unwritable.c_str());
        std::string path = device.writeSound("tone.ogg", encodeOgg(sineWave(440, 0.5, 22050, 2000, 1), 1, 22050));
        QelAudio* audio = device.start();
        EXPECT_EQ(audio->mixer, nullptr);
        std::string log = device.logText();
        EXPECT_NE(log.find(c.line), std::string::npos) << log;
        EXPECT_NE(log.find("); the game runs without sound.\n"), std::string::npos) << log;
        EXPECT_NE(log.find("QelAudio(): Started."), std::string::npos);

        auto tone = std::make_unique<Sound>(path, false, 1);
        tone->play();
        auto music = std::make_unique<SoundStream>(path, true);
        audio->playMusic(music.get());
        EXPECT_FALSE(music->isPlaying());
        audio->update();
        audio->setSoundVolume(0.5f);
        audio->setMusicVolume(0.5f);
        audio->fadeMusic(0.5f, 1.0);
        audio->stopAll();
        audio->stopMusic();
        tone.reset();
        music.reset();
        audio->frequency = 44100;
        device.stop();
        EXPECT_EQ(device.qel->config->getString("QelAudio", "bMute"), "No");
        EXPECT_EQ(device.qel->config->getString("QelAudio", "frequency"), "44100");
    }
}

TEST(QelAudioTest, UpdateDeletesFinishedVoicesAndRaisesAnAudioThreadError)
{
    AudioDevice device;
    QelAudio* audio = device.start();
    audio->onQELmodeChange(3, 2);
    AudioTest::Sources sources;
    Mixer* mixer = device.mixer();
    int id = mixer->play(sources.constant(0.1f), false);
    mixer->findChannel(id)->bDead = 1;
    mixer->play(sources.constant(0.1f), false);
    audio->update();
    EXPECT_EQ(mixer->countChildren(), 1u);

    int bad = mixer->play(sources.constant(0.1f), false);
    mixer->start(bad);
    mixer->findChannel(bad)->playMax = 7;
    std::vector<Uint8> buffer(mixer->spec.size);
    mixer->mix(buffer.data(), static_cast<int>(buffer.size()));
    // SDL's audio thread runs beside the test: the child starts afresh.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_FATAL(audio->update(), "Statement: playMax%2==0\n Function: mixChannel\\(\\)");
}

TEST(QelAudioTest, MusicIsStartedSwitchedFadedAndStopped)
{
    AudioDevice device;
    std::string a = device.writeSound("a.ogg", encodeOgg(sineWave(440, 0.5, 22050, 30000, 2), 2, 22050));
    std::string b = device.writeSound("b.ogg", encodeOgg(sineWave(330, 0.5, 22050, 30000, 1), 1, 22050));
    QelAudio* audio = device.start();
    audio->onQELmodeChange(3, 2);
    SoundStream first(a, true);
    SoundStream second(b, true);
    audio->playMusic(&first);
    EXPECT_TRUE(first.isPlaying());
    int firstVoice = first.channelId;
    audio->playMusic(&first);
    EXPECT_EQ(first.channelId, firstVoice) << "the current music is not restarted";

    audio->playMusic(&second);
    EXPECT_FALSE(first.isPlaying());
    EXPECT_TRUE(second.isPlaying());

    audio->fadeMusic(0.5f, 1.0);
    EXPECT_EQ(audio->currentMusic, &second) << "a partial fade keeps the music current";
    audio->fadeMusic(0.0f, 1.0);
    EXPECT_EQ(audio->currentMusic, nullptr) << "a fade to silence forgets it at once";
    EXPECT_TRUE(second.isPlaying()) << "while it is still heard";
    audio->playMusic(&first);
    EXPECT_TRUE(second.isPlaying()) << "the fading music is no longer current and ends by itself";

    audio->playMusic(nullptr);
    EXPECT_FALSE(first.isPlaying());
    EXPECT_EQ(audio->currentMusic, nullptr);

    audio->playMusic(&first);
    audio->stopAll();
    EXPECT_EQ(device.mixer()->countChildren(), 0u);
    EXPECT_EQ(audio->currentMusic, nullptr);
}

// The main thread steers voices while another thread mixes them: every
// change goes through the audio lock (run under ThreadSanitizer to see it).
// The device is paused and a thread of the test mixes without pause, taking
// the lock as SDL's audio thread does, so that the two really overlap.
TEST(QelAudioTest, MainThreadChangesWhileAnotherThreadMixes)
{
    AudioDevice device;
    std::string music = device.writeSound("m.ogg", encodeOgg(sineWave(440, 0.5, 22050, 4000, 2), 2, 22050));
    QelAudio* audio = device.start();
    audio->onQELmodeChange(3, 2);
    AudioTest::Sources sources;
    MixerOGGstatic* effect = sources.constant(0.1f, 22050, 3000, false, 3);
    SoundStream stream(music, false);
    Mixer* mixer = device.mixer();
    std::atomic<bool> done{false};
    std::thread mixing([&] {
        std::vector<Uint8> buffer(mixer->spec.size / 8);
        while (!done) {
            SDL_LockAudio();
            mixer->mix(buffer.data(), static_cast<int>(buffer.size()));
            SDL_UnlockAudio();
        }
    });
    for (int round = 0; round < 2000; ++round) {
        int id = mixer->play(effect, round % 2 == 0);
        mixer->start(id);
        mixer->setVolume(id, 0.5f, 0.05);
        mixer->setPan(id, static_cast<float>(round % 3) - 1.0f, 0.02);
        mixer->setFrequency(id, 11025.0f + static_cast<float>(round), 0.01);
        mixer->setPosition(id, 0.25f);
        audio->setSoundVolume(0.8f);
        audio->setMusicVolume(0.6f);
        stream.play();
        stream.setVolume(0.7f, 0.01);
        if (round % 7 == 0) {
            stream.stop();
        }
        if (round % 5 == 0) {
            mixer->stop(id);
        }
        mixer->isStarted(id);
        audio->update();
    }
    done = true;
    mixing.join();
    audio->stopAll();
    EXPECT_EQ(mixer->countChildren(), 0u);
    EXPECT_FALSE(mixer->hasDeferredError());
}
