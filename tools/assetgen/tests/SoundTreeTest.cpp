// The generated sounds and music, decoded from the data pack by the
// engine's own decoder: every file is audible and never reaches full scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "GeneratedTree.h"
#include "audio/Synth.h"

using namespace assetgen;
using namespace assetgen::tree;

namespace {

struct Level {
    double seconds = 0;
    double peak = 0;
    double rms = 0;
};

Level measure(const char* file, DecodedSound& sound) {
    EXPECT_TRUE(loadSound(file, sound)) << file;
    EXPECT_EQ(sound.rate, kRate) << file;
    Level level;
    double sum = 0;
    for (float v : sound.stereo) {
        level.peak = std::max(level.peak, static_cast<double>(std::fabs(v)));
        sum += static_cast<double>(v) * v;
    }
    if (sound.frames > 0 && sound.rate > 0) {
        level.rms = std::sqrt(sum / static_cast<double>(sound.stereo.size()));
        level.seconds = static_cast<double>(sound.frames) / sound.rate;
    }
    return level;
}

class SoundTree : public MountedPack {
protected:
    // Decodes each file and checks its channels, length and levels; the
    // length of each.
    std::vector<double> expectAudible(const std::vector<const char*>& files, int wantChannels, double minSeconds,
                                      double maxSeconds, double minRms) {
        std::vector<double> lengths;
        for (const char* file : files) {
            SCOPED_TRACE(file);
            DecodedSound sound;
            const Level level = measure(file, sound);
            EXPECT_EQ(sound.channels, wantChannels);
            EXPECT_GE(level.seconds, minSeconds);
            EXPECT_LE(level.seconds, maxSeconds);
            EXPECT_GT(level.rms, minRms);
            EXPECT_GT(level.peak, 0.25);
            EXPECT_LT(level.peak, 1.0);
            lengths.push_back(level.seconds);
        }
        return lengths;
    }
};

} // namespace

TEST_F(SoundTree, EverySoundEffectIsAudibleAndWithinFullScale) { expectAudible(soundFiles(), 1, 0.03, 6.0, 0.02); }

TEST_F(SoundTree, EveryTuneLoopsForHalfAMinuteToAMinuteAndAHalfAndHurryIsTheShortest) {
    const std::vector<double> lengths = expectAudible(musicFiles(), 2, 30.0, 90.0, 0.05);
    // The urgent tune runs faster: the same number of bars in less time.
    double hurry = 0;
    double shortestOther = 1e9;
    for (size_t i = 0; i < lengths.size(); ++i) {
        if (std::string(musicFiles()[i]).find("hurry") != std::string::npos) {
            hurry = lengths[i];
        } else {
            shortestOther = std::min(shortestOther, lengths[i]);
        }
    }
    EXPECT_GT(hurry, 0.0);
    EXPECT_LT(hurry, shortestOther * 0.8);
}

TEST_F(SoundTree, EngineLoopJoinsWithoutAJump) {
    // The engine's chugging repeats: the step from its last sample back to its
    // first must be no louder than the steps inside it.
    DecodedSound sound;
    measure("sfx/chugcontinuous2.ogg", sound);
    ASSERT_GT(sound.frames, 1000);
    // The file is mono; the decoder gives both sides the same samples.
    const auto left = [&](int frame) { return sound.stereo[2 * static_cast<size_t>(frame)]; };
    float largestStep = 0;
    for (int i = 1; i < sound.frames; ++i) {
        largestStep = std::max(largestStep, std::fabs(left(i) - left(i - 1)));
    }
    EXPECT_LE(std::fabs(left(0) - left(sound.frames - 1)), largestStep);
}
