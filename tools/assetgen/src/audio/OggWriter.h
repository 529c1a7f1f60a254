#pragma once

#include <cstdint>
#include <vector>

#include "audio/Synth.h"

namespace assetgen {

// Encodes one (mono) or two (left, right) channels of equal length to Ogg
// Vorbis at kRate. The stream serial number is fixed by the caller, so the
// same samples always give the same bytes.
std::vector<uint8_t> encodeOgg(const std::vector<const Buffer*>& channels, float quality, int serial);

} // namespace assetgen
