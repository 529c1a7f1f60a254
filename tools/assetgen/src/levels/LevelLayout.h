#pragma once
// A level file laid out as the painter needs it: every track its scene
// shows (those its played arguments build) with its path seen through the
// level's camera and projected onto the scene picture, sampled along its
// length, with where it is hidden and where its tunnel stands; and the
// launcher spots on the picture. The paths are laid and measured by
// the game's own path code, so the painted rails are the rails the trains
// ride.
#include <string>
#include <vector>

#include "LevelData.h"

namespace assetgen {

// The scene picture: one pixel a unit, centred on the origin, tall enough
// for the level camera, which looks at y = 16.
constexpr int SCENE_WIDTH = 800;
constexpr int SCENE_HEIGHT = 640;

struct RailSample {
    double x;        // picture pixels, y down
    double y;
    double heading;  // radians on the picture, y down
    double lambda;
    double z;        // the path's depth: minus its height
    bool hidden;     // in a hidden span or past the tunnel
};

struct LaidTrack {
    std::vector<RailSample> samples;
    double createLambda;
    double tunnelLambda;
    std::vector<LevelSpan> spans;
    double height;
};

struct LevelLayout {
    LevelData data;
    std::vector<LaidTrack> tracks;
    std::vector<std::pair<double, double>> launchers; // picture pixels
};

// One track's path sampled on the scene picture.
LaidTrack layTrack(const LevelTrack& track, float cameraFactor);

// Every level file of the folder, in the order of their ids; throws on a
// file that does not read.
std::vector<LevelLayout> layLevels(const std::string& folder);

} // namespace assetgen
