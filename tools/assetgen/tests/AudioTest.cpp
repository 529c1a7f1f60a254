// The synthesiser and the Ogg writer, and the determinism of the whole tool.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "GeneratedTree.h"
#include "audio/OggWriter.h"
#include "audio/Synth.h"
#include "core/Families.h"
#include "support/OggEncoder.h"

using namespace assetgen;

TEST(Audio, OggWriterKeepsLengthAndPitchForTheEngineDecoder) {
    Buffer tone(static_cast<size_t>(kRate), 0.0f);
    for (size_t i = 0; i < tone.size(); ++i) {
        tone[i] = 0.5f * static_cast<float>(std::sin(2 * M_PI * 441.0 * static_cast<double>(i) / kRate));
    }
    const std::vector<uint8_t> bytes = encodeOgg({&tone}, 0.5f, 7);
    EngineCore core;
    const std::unique_ptr<MemoryFile> file(memoryFileOf(std::string(bytes.begin(), bytes.end())));
    tree::DecodedSound sound;
    ASSERT_TRUE(tree::decodeSound(*file, sound));
    EXPECT_EQ(sound.channels, 1);
    EXPECT_EQ(sound.rate, kRate);
    EXPECT_EQ(static_cast<size_t>(sound.frames), tone.size());
    // 441 Hz: 441 upward zero crossings in one second.
    int crossings = 0;
    for (int i = 1; i < sound.frames; ++i) {
        const float before = sound.stereo[2 * static_cast<size_t>(i - 1)];
        const float now = sound.stereo[2 * static_cast<size_t>(i)];
        crossings += (before < 0 && now >= 0) ? 1 : 0;
    }
    EXPECT_NEAR(crossings, 441, 2);
}

TEST(Audio, MixGrowsTheTargetAndNormalizeSetsThePeak) {
    Buffer a(10, 0.1f);
    const Buffer b(10, 0.2f);
    mixInto(a, b, 5, 2.0f);
    ASSERT_EQ(a.size(), 15u);
    EXPECT_FLOAT_EQ(a[4], 0.1f);
    EXPECT_FLOAT_EQ(a[5], 0.5f);
    EXPECT_FLOAT_EQ(a[14], 0.4f);
    normalize(a, 0.8f);
    EXPECT_FLOAT_EQ(a[5], 0.8f);
}

TEST(Generation, EveryRunWritesTheSameBytes) {
    // Generate again into a fresh folder and compare with the build's tree.
    std::string pattern = (std::filesystem::temp_directory_path() / "assetgen-determinism-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path dir = pattern;
    const Output out(dir.string());
    for (const Family& family : families()) {
        family.generate(out);
    }
    size_t compared = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
        if (!e.is_regular_file()) {
            continue;
        }
        const std::string rel = std::filesystem::relative(e.path(), dir).generic_string();
        std::vector<uint8_t> fresh;
        std::vector<uint8_t> built;
        ASSERT_TRUE(readFile(e.path().string(), fresh));
        ASSERT_TRUE(tree::readAsset(rel, built)) << rel;
        EXPECT_TRUE(fresh == built) << rel << " differs between runs";
        ++compared;
    }
    EXPECT_GT(compared, 100u);
    std::filesystem::remove_all(dir);
}
