#pragma once

#include <string>
#include <vector>

#include "core/ImageFiles.h"
#include "core/Sheet.h"

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

// Decodes an image of the tree (TGA or JPEG) and its skin list; fails the
// calling test on any problem.
bool loadImage(const std::string& file, Rgba& image, std::vector<PlacedFrame>& frames, std::string& error);

} // namespace assetgen::tree
