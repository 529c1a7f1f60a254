// The data pack the build makes, mounted through the engine's own file
// manager: every file the start-up loads is there, byte for byte as
// generated, and readable.
#include <gtest/gtest.h>

#include <filesystem>

#include "GeneratedTree.h"
#include "audio/OggWriter.h"
#include "core/SkinListReader.h"
#include "fonts/Fonts.h"
#include "support/FileCore.h"

using namespace assetgen;
using namespace assetgen::tree;

namespace {

class MountedPack : public ::testing::Test {
protected:
    MountedPack() { core.files->useWad(UString(VABO_DATA_PACK)); }

    std::vector<uint8_t> read(const std::string& path) {
        int size = 0;
        std::unique_ptr<u8[]> bytes = core.files->readAll(UString(path), &size);
        return std::vector<uint8_t>(bytes.get(), bytes.get() + size);
    }

    void expectSameAsGenerated(const std::string& path) {
        ASSERT_TRUE(core.files->exists(UString(path))) << path;
        std::vector<uint8_t> generated;
        ASSERT_TRUE(readAsset(path, generated)) << path;
        EXPECT_TRUE(read(path) == generated) << path;
    }

    FileCore core;
};

} // namespace

TEST_F(MountedPack, HoldsEveryImageWithItsSkinListAndEveryFrame) {
    for (const ImageResource& r : imageTable()) {
        SCOPED_TRACE(r.file);
        const std::string file = r.file;
        expectSameAsGenerated(file);
        expectSameAsGenerated(file + ".ini");
        const std::vector<uint8_t> bytes = read(file);
        Rgba image;
        std::string error;
        ASSERT_TRUE(file.ends_with(".tga") ? decodeTga(bytes, image, error) : decodeJpeg(bytes, image, error))
            << error;
        const std::vector<uint8_t> ini = read(file + ".ini");
        std::vector<PlacedFrame> frames;
        ASSERT_TRUE(parseSkinList(std::string(ini.begin(), ini.end()), frames, error)) << error;
        EXPECT_GE(static_cast<int>(frames.size()), r.minFrames) << r.key;
    }
}

TEST_F(MountedPack, HoldsEveryFontSheetWithItsSkinList) {
    for (const FontSpec& spec : fontSpecs()) {
        for (const std::string& sheet : spec.sheets) {
            expectSameAsGenerated(sheet);
            expectSameAsGenerated(sheet + ".ini");
        }
    }
}

TEST_F(MountedPack, HoldsEverySoundAndTuneAsPlayableOgg) {
    std::vector<const char*> files = soundFiles();
    files.insert(files.end(), musicFiles().begin(), musicFiles().end());
    for (const char* file : files) {
        SCOPED_TRACE(file);
        expectSameAsGenerated(file);
        int channels = 0;
        int rate = 0;
        std::vector<float> pcm;
        EXPECT_TRUE(decodeOgg(read(file), channels, rate, pcm));
        EXPECT_FALSE(pcm.empty());
    }
}

TEST_F(MountedPack, AFileTheGameDoesNotHaveIsNotThere) {
    EXPECT_FALSE(core.files->exists("gfx/nothing.tga"));
    EXPECT_FALSE(core.files->exists("sfx/music/theme.ogg.ini"));
}
