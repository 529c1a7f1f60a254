#include "core/SkinListReader.h"

#include <cstdlib>
#include <map>
#include <sstream>

namespace assetgen {

bool parseSkinList(const std::string& text, std::vector<PlacedFrame>& frames, std::string& error) {
    std::map<std::string, std::map<std::string, std::string>> sections;
    std::vector<std::string> order;
    std::istringstream in(text);
    std::string line;
    std::string current;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            current = line.substr(1, line.size() - 2);
            if (sections.count(current) == 0) {
                order.push_back(current);
            }
            sections[current];
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos || current.empty()) {
            error = "stray line '" + line + "'";
            return false;
        }
        sections[current].emplace(line.substr(0, eq), line.substr(eq + 1));
    }
    frames.clear();
    for (size_t i = 0; i < order.size(); ++i) {
        const std::string name = "Skin " + std::to_string(i);
        auto it = sections.find(name);
        if (it == sections.end()) {
            error = "no section '" + name + "'";
            return false;
        }
        PlacedFrame f;
        const char* keys[] = {"left", "top", "width", "height"};
        int* fields[] = {&f.left, &f.top, &f.width, &f.height};
        for (int k = 0; k < 4; ++k) {
            auto kv = it->second.find(keys[k]);
            if (kv == it->second.end()) {
                error = "section '" + name + "' has no '" + keys[k] + "'";
                return false;
            }
            *fields[k] = std::atoi(kv->second.c_str());
        }
        if (auto kv = it->second.find("origin_adjust_x"); kv != it->second.end()) {
            f.originAdjustX = std::atoi(kv->second.c_str());
        }
        if (auto kv = it->second.find("origin_adjust_y"); kv != it->second.end()) {
            f.originAdjustY = std::atoi(kv->second.c_str());
        }
        frames.push_back(f);
    }
    return true;
}

} // namespace assetgen
