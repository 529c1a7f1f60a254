#include "LevelFile.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

bool parseFloat(const std::string& word, float& value)
{
    char* end = nullptr;
    value = std::strtof(word.c_str(), &end);
    return !word.empty() && end == word.c_str() + word.size();
}

bool parseCondition(const std::string& word, TrackCondition& condition)
{
    static const struct {
        const char* name;
        TrackCondition condition;
    } names[] = {
        {"always", TrackCondition::Always},
        {"trackCount>1", TrackCondition::TrackCountAbove1},
        {"trackCount>2", TrackCondition::TrackCountAbove2},
        {"firstTrack", TrackCondition::FirstTrack},
        {"secondTrack", TrackCondition::SecondTrack},
    };
    for (const auto& entry : names) {
        if (word == entry.name) {
            condition = entry.condition;
            return true;
        }
    }
    return false;
}

// The words after the keyword as numbers; false unless there are exactly count.
bool numbers(const std::vector<std::string>& words, size_t first, size_t count, float* out)
{
    if (words.size() != first + count) {
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        if (!parseFloat(words[first + i], out[i])) {
            return false;
        }
    }
    return true;
}

bool parseFlag(const std::string& word, bool& flag)
{
    flag = word == "true";
    return flag || word == "false";
}

bool sceneArguments(const std::vector<std::string>& words, LevelArguments& arguments)
{
    float count = 0.0f;
    if (words.size() == 2 && parseFloat(words[1], count) && count >= 0.0f && count == float(int(count))) {
        arguments = {int(count), true, true};
        return true;
    }
    return words.size() == 3 && parseFlag(words[1], arguments.firstTrack) && parseFlag(words[2], arguments.secondTrack);
}

std::string idOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

bool readLevelFile(const std::string& path, LevelData& level, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot be read";
        return false;
    }
    level = LevelData{idOf(path), 1.0f, "meadow", {}, {}, {}, {3, true, true}};
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) {
            line.erase(hash);
        }
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) {
            w.push_back(word);
        }
        if (w.empty()) {
            continue;
        }
        float v[5];
        bool ok = false;
        const std::string& key = w[0];
        if (key == "camera") {
            ok = numbers(w, 1, 1, v) && v[0] >= 1.0f;
            level.cameraFactor = v[0];
        } else if (key == "landscape") {
            ok = w.size() == 2;
            level.landscape = ok ? w[1] : "";
        } else if (key == "scene") {
            ok = sceneArguments(w, level.scene);
        } else if (key == "launcher") {
            ok = numbers(w, 1, 2, v);
            level.launchers.push_back({v[0], v[1]});
        } else if (key == "decoration") {
            ok = numbers(w, 1, 1, v);
            level.decorationDepths.push_back(v[0]);
        } else if (key == "track") {
            TrackCondition condition = TrackCondition::Always;
            ok = w.size() == 5 && parseCondition(w[1], condition) && numbers(w, 2, 3, v) && v[0] >= 0.0f &&
                 v[1] >= 0.0f && v[2] >= 0.0f;
            level.tracks.push_back({condition, v[0], v[1], v[2], {}, {}});
        } else if (key == "span") {
            ok = !level.tracks.empty() && numbers(w, 1, 2, v) && v[0] < v[1];
            if (ok) {
                level.tracks.back().spans.push_back({v[0], v[1]});
            }
        } else if (key == "point") {
            ok = !level.tracks.empty() && numbers(w, 1, 5, v);
            if (ok) {
                level.tracks.back().points.push_back({v[0], v[1], v[2], v[3], v[4]});
            }
        }
        if (!ok) {
            error = path + ":" + std::to_string(lineNumber) + ": cannot read '" + line + "'";
            return false;
        }
    }
    for (const LevelTrack& track : level.tracks) {
        if (track.points.size() < 3) {
            error = path + ": a track needs at least three points";
            return false;
        }
    }
    return true;
}
