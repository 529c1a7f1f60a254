#include "core/Output.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace assetgen {

Output::Output(std::string root) : root_(std::move(root)) {}

std::string Output::pathOf(const std::string& relative) const {
    return root_ + "/" + relative;
}

void Output::write(const std::string& relative, const std::vector<uint8_t>& bytes) const {
    const std::filesystem::path path(pathOf(relative));
    std::filesystem::create_directories(path.parent_path());
    // Written beside the target and renamed, so an interrupted run never
    // leaves a half-written file that looks complete.
    const std::filesystem::path temp = path.string() + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            throw std::runtime_error("cannot write " + temp.string());
        }
    }
    std::filesystem::rename(temp, path);
}

void Output::write(const std::string& relative, const std::string& text) const {
    write(relative, std::vector<uint8_t>(text.begin(), text.end()));
}

bool readFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

} // namespace assetgen
