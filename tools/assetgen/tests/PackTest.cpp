// The data pack the build makes, mounted through the engine's own file
// manager: every file the start-up loads is there, byte for byte as
// generated. (The image and sound tests decode them from the pack.)
#include <gtest/gtest.h>

#include "GeneratedTree.h"
#include "fonts/Fonts.h"

using namespace assetgen::tree;

namespace {

class PackContents : public MountedPack {
protected:
    void expectSameAsGenerated(const std::string& path) {
        ASSERT_TRUE(core.files->exists(UString(path))) << path;
        int size = 0;
        const std::unique_ptr<u8[]> bytes = core.files->readAll(UString(path), &size);
        std::vector<uint8_t> generated;
        ASSERT_TRUE(readAsset(path, generated)) << path;
        EXPECT_TRUE(std::vector<uint8_t>(bytes.get(), bytes.get() + size) == generated) << path;
    }
};

} // namespace

TEST_F(PackContents, HoldsEveryImageWithItsSkinList) {
    for (const ImageResource& r : imageTable()) {
        expectSameAsGenerated(r.file);
        expectSameAsGenerated(std::string(r.file) + ".ini");
    }
}

TEST_F(PackContents, HoldsEveryFontSheetWithItsSkinList) {
    for (const assetgen::FontSpec& spec : assetgen::fontSpecs()) {
        for (const std::string& sheet : spec.sheets) {
            expectSameAsGenerated(sheet);
            expectSameAsGenerated(sheet + ".ini");
        }
    }
}

TEST_F(PackContents, HoldsEverySoundAndTune) {
    for (const char* file : soundFiles()) {
        expectSameAsGenerated(file);
    }
    for (const char* file : musicFiles()) {
        expectSameAsGenerated(file);
    }
}

TEST_F(PackContents, AFileTheGameDoesNotHaveIsNotThere) {
    EXPECT_FALSE(core.files->exists("gfx/nothing.tga"));
    EXPECT_FALSE(core.files->exists("sfx/music/theme.ogg.ini"));
}
