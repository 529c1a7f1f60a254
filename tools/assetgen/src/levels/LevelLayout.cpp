#include "levels/LevelLayout.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "LevelFile.h"
#include "engine/Qel.h"
#include "game/level/LevelCamera.h"
#include "game/level/LevelPath.h"
#include "game/track/SplineLambda.h"

namespace assetgen {

namespace {

constexpr int FOV_WIDTH = 800;
constexpr float SAMPLE_STEP = 4.0f;

bool hiddenAt(const LevelTrack& track, float lambda)
{
    if (lambda > track.tunnelLambda) {
        return true;
    }
    for (const LevelSpan& span : track.spans) {
        if (lambda >= span.start + 5.0f && lambda < span.end - 5.0f) {
            return true;
        }
    }
    return false;
}

std::pair<double, double> toPicture(V3 scene)
{
    return {SCENE_WIDTH / 2.0 + scene.x, SCENE_HEIGHT / 2.0 - scene.y};
}

} // namespace

LaidTrack layTrack(const LevelTrack& track, float cameraFactor)
{
    std::vector<V3> points;
    std::vector<V3> handles;
    LevelPath::controlPoints(track, points, handles);
    SplineLambda path;
    LevelPath::lay(path, int(points.size()), points.data(), handles.data(), 1, 1);
    path.build();
    LaidTrack laid{{}, track.createLambda, track.tunnelLambda, track.spans, track.points.front().height};
    for (float lambda = 0.0f; lambda <= path.length; lambda += SAMPLE_STEP) {
        V3 point;
        float z = 0.0f;
        path.getPointAndHeading(lambda, &point, nullptr, &z);
        point.z = z;
        V3 ahead;
        float aheadZ = 0.0f;
        path.getPointAndHeading(std::min(lambda + 1.0f, path.length), &ahead, nullptr, &aheadZ);
        ahead.z = aheadZ;
        const auto [x, y] = toPicture(LevelCamera::toScene(point, cameraFactor, FOV_WIDTH));
        const auto [ax, ay] = toPicture(LevelCamera::toScene(ahead, cameraFactor, FOV_WIDTH));
        const double heading = (ax == x && ay == y) && !laid.samples.empty() ? laid.samples.back().heading
                                                                              : std::atan2(ay - y, ax - x);
        laid.samples.push_back({x, y, heading, lambda, z, hiddenAt(track, lambda)});
    }
    return laid;
}

std::vector<LevelLayout> layLevels(const std::string& folder)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".txt") {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    // The path code is made of engine objects; a bare engine core carries
    // them when no engine runs yet.
    std::optional<Qel> core;
    if (g_qel == nullptr) {
        core.emplace(Qel::CoreOnly{});
    }
    std::vector<LevelLayout> levels;
    for (const std::string& file : files) {
        LevelLayout layout;
        std::string error;
        if (!readLevelFile(file, layout.data, error)) {
            throw std::runtime_error(error);
        }
        const LevelArguments& scene = layout.data.scene;
        for (const LevelTrack& track : layout.data.tracks) {
            if (LevelData::builds(track.condition, scene.trackCount, scene.firstTrack, scene.secondTrack)) {
                layout.tracks.push_back(layTrack(track, layout.data.cameraFactor));
            }
        }
        for (const LevelSpot& spot : layout.data.launchers) {
            layout.launchers.push_back(
                toPicture(LevelCamera::toScene(V3(spot.x, spot.y, 0.0f), layout.data.cameraFactor, FOV_WIDTH)));
        }
        levels.push_back(std::move(layout));
    }
    return levels;
}

} // namespace assetgen
