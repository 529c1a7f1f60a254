#pragma once

#include <string>
#include <vector>

#include "core/Sheet.h"

namespace assetgen {

// Reads a skin list ("Skin %d" sections with left, top, width, height and the
// optional origin adjustments). False when a section is missing a key or the
// sections are not numbered 0 to N-1.
bool parseSkinList(const std::string& text, std::vector<PlacedFrame>& frames, std::string& error);

} // namespace assetgen
