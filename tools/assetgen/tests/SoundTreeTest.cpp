// The generated sounds and music: every file decodes, is audible and never
// reaches full scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "GeneratedTree.h"
#include "audio/OggWriter.h"

using namespace assetgen;
using namespace assetgen::tree;

namespace {

struct Level {
    double seconds = 0;
    double peak = 0;
    double rms = 0;
};

Level measure(const char* file, int& channels, std::vector<float>& pcm) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(readAsset(file, bytes)) << file;
    int rate = 0;
    EXPECT_TRUE(decodeOgg(bytes, channels, rate, pcm)) << file;
    EXPECT_EQ(rate, kRate) << file;
    Level level;
    double sum = 0;
    for (float v : pcm) {
        level.peak = std::max(level.peak, static_cast<double>(std::fabs(v)));
        sum += static_cast<double>(v) * v;
    }
    if (!pcm.empty()) {
        level.rms = std::sqrt(sum / static_cast<double>(pcm.size()));
        level.seconds = static_cast<double>(pcm.size()) / channels / rate;
    }
    return level;
}

// Decodes each file and checks its channels, length and levels.
void expectAudible(const std::vector<const char*>& files, int wantChannels, double minSeconds, double maxSeconds,
                   double minRms) {
    for (const char* file : files) {
        SCOPED_TRACE(file);
        int channels = 0;
        std::vector<float> pcm;
        const Level level = measure(file, channels, pcm);
        EXPECT_EQ(channels, wantChannels);
        EXPECT_GE(level.seconds, minSeconds);
        EXPECT_LE(level.seconds, maxSeconds);
        EXPECT_GT(level.rms, minRms);
        EXPECT_GT(level.peak, 0.25);
        EXPECT_LT(level.peak, 1.0);
    }
}

} // namespace

TEST(SoundTree, EverySoundEffectIsAudibleAndWithinFullScale) { expectAudible(soundFiles(), 1, 0.03, 6.0, 0.02); }

TEST(SoundTree, EveryTuneLoopsForHalfAMinuteToAMinuteAndAHalf) { expectAudible(musicFiles(), 2, 30.0, 90.0, 0.05); }

TEST(SoundTree, HurryIsTheShortestAndBusiestTune) {
    // The urgent tune runs faster: the same number of bars in less time.
    double hurry = 0;
    double shortestOther = 1e9;
    for (const char* file : musicFiles()) {
        int channels = 0;
        std::vector<float> pcm;
        const Level level = measure(file, channels, pcm);
        if (std::string(file).find("hurry") != std::string::npos) {
            hurry = level.seconds;
        } else {
            shortestOther = std::min(shortestOther, level.seconds);
        }
    }
    EXPECT_GT(hurry, 0.0);
    EXPECT_LT(hurry, shortestOther * 0.8);
}

TEST(SoundTree, EngineLoopJoinsWithoutAJump) {
    // The engine's chugging repeats: the step from its last sample back to its
    // first must be no louder than the steps inside it.
    int channels = 0;
    std::vector<float> pcm;
    measure("sfx/chugcontinuous2.ogg", channels, pcm);
    ASSERT_GT(pcm.size(), 1000u);
    float largestStep = 0;
    for (size_t i = 1; i < pcm.size(); ++i) {
        largestStep = std::max(largestStep, std::fabs(pcm[i] - pcm[i - 1]));
    }
    EXPECT_LE(std::fabs(pcm.front() - pcm.back()), largestStep);
}
