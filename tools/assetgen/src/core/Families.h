#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/Output.h"

namespace assetgen {

// One family of generated files (images, sounds, music, ...). Each family is
// one build step; a new family adds its generator here and in the registry.
struct Family {
    const char* name;
    void (*generate)(const Output& out);
};

void generateImages(const Output& out);
void generateSounds(const Output& out);
void generateMusic(const Output& out);
void generateFonts(const Output& out);
void generateLevels(const Output& out);

// Every family, in the order they are made when no family is named.
const std::vector<Family>& families();

// Runs job(0) .. job(count - 1) on worker threads (at most the machine's
// core count) and rethrows the first failure.
void runParallel(size_t count, const std::function<void(size_t)>& job);
// Runs each of the writers on the output, in parallel.
void runParallel(const std::vector<void (*)(const Output&)>& writers, const Output& out);

} // namespace assetgen
