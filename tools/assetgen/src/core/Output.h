#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// The folder that receives the generated game files. Paths are relative to
// it and use '/' as in the game ("gfx/car.tga").
class Output {
public:
    explicit Output(std::string root);

    const std::string& root() const { return root_; }
    std::string pathOf(const std::string& relative) const;

    // Writes the bytes, creating folders as needed. Throws on failure.
    void write(const std::string& relative, const std::vector<uint8_t>& bytes) const;
    void write(const std::string& relative, const std::string& text) const;

private:
    std::string root_;
};

// Reads a whole file; an empty optional-like result (false) when it cannot.
bool readFile(const std::string& path, std::vector<uint8_t>& bytes);

} // namespace assetgen
