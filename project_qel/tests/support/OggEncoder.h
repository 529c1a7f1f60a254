#pragma once
// Test sounds made on the spot: waveforms encoded as Ogg Vorbis with
// libvorbisenc, and files in memory for the audio sources.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "file/MemoryFile.h"

// Interleaved samples (channels values per frame) encoded as one Ogg Vorbis
// stream with the given serial number.
std::string encodeOgg(const std::vector<float>& interleaved, int channels, int rate, float quality = 0.4f,
                      int serial = 1);

// frames frames of a sine tone, the same on every channel.
std::vector<float> sineWave(double hz, double amplitude, int rate, int frames, int channels);

// A MemoryFile holding the bytes, as if it had been read from disk.
inline MemoryFile* memoryFileOf(const std::string& bytes)
{
    auto* file = new MemoryFile("");
    file->data = std::make_unique<u8[]>(bytes.size() > 0 ? bytes.size() : 1);
    std::memcpy(file->data.get(), bytes.data(), bytes.size());
    file->size = static_cast<i32>(bytes.size());
    return file;
}
