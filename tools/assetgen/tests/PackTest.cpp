// The data pack the build makes, mounted through the engine's own file
// manager: every file the start-up loads is there, byte for byte as
// generated. (The image and sound tests decode them from the pack.)
#include <gtest/gtest.h>

#include "GeneratedTree.h"
#include "fonts/Fonts.h"

using namespace assetgen::tree;

using PackContents = MountedPack;

TEST_F(PackContents, HoldsEveryImageFontSheetAndSoundAsGeneratedAndNothingElse) {
    std::vector<std::string> files;
    for (const ImageResource& r : imageTable()) {
        files.insert(files.end(), {r.file, std::string(r.file) + ".ini"});
    }
    for (const assetgen::FontSpec& spec : assetgen::fontSpecs()) {
        for (const std::string& sheet : spec.sheets) {
            files.insert(files.end(), {sheet, sheet + ".ini"});
        }
    }
    files.insert(files.end(), soundFiles().begin(), soundFiles().end());
    files.insert(files.end(), musicFiles().begin(), musicFiles().end());
    for (const std::string& path : files) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(core.files->exists(UString(path)));
        int size = 0;
        const std::unique_ptr<u8[]> bytes = core.files->readAll(UString(path), &size);
        std::vector<uint8_t> generated;
        ASSERT_TRUE(readAsset(path, generated));
        EXPECT_TRUE(std::vector<uint8_t>(bytes.get(), bytes.get() + size) == generated);
    }
    EXPECT_FALSE(core.files->exists("gfx/nothing.tga"));
    EXPECT_FALSE(core.files->exists("sfx/music/theme.ogg.ini"));
}
