#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/Sheet.h"
#include "graphics/MemoryImageFile.h"
#include "support/FileCore.h"

// Access to the files the build generated (the folder the game's data pack is
// made from) and the list of what the game's start-up loads.
namespace assetgen::tree {

std::string assetDir();
bool readAsset(const std::string& relative, std::vector<uint8_t>& bytes);

struct ImageResource {
    const char* key;
    const char* file;
    int flags;      // texture load flags of the start-up table
    int minFrames;  // frames some part of the game draws by number
};

// Every image, sound and music file of the start-up resource table.
const std::vector<ImageResource>& imageTable();
const std::vector<const char*>& soundFiles();
const std::vector<const char*>& musicFiles();

// The engine core with the build's data pack mounted: the tests read the
// game's files as the game does, through the engine's file manager.
class MountedPack : public ::testing::Test {
protected:
    MountedPack() { core.files->useWad(UString(VABO_DATA_PACK)); }

    FileCore core;
};

// An image of the pack decoded by the engine's reader for its kind, and the
// frames of its skin list.
struct LoadedImage {
    std::unique_ptr<MemoryImageFile> image;
    std::vector<PlacedFrame> frames;
};

// Loads an image of the mounted pack with its skin list; false with the
// error when either is missing or the skin list is not one. A file the
// engine's reader refuses is fatal, as in the game.
bool loadImage(const std::string& file, LoadedImage& loaded, std::string& error);
// The same as an assertion: ASSERT_TRUE(loads(file, loaded)).
inline ::testing::AssertionResult loads(const std::string& file, LoadedImage& loaded) {
    std::string error;
    if (loadImage(file, loaded, error)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << file << ": " << error;
}

// A sound decoded whole by the engine's decoder: `frames` stereo pairs in
// `stereo` (a mono file doubled to both sides).
struct DecodedSound {
    int channels = 0;
    int rate = 0;
    int frames = 0;
    std::vector<float> stereo;
};

// Decodes an Ogg Vorbis file in memory; false when the decoder refuses it.
bool decodeSound(MemoryFile& file, DecodedSound& sound);
// Decodes a sound of the mounted pack; false when it is missing or refused.
bool loadSound(const std::string& file, DecodedSound& sound);

} // namespace assetgen::tree
